#pragma once
// A minidump file read back through dbghelp's own reader.
#include <windows.h>
#include <dbghelp.h>

#include <optional>
#include <string>
#include <vector>

#include "ScopedHandle.h"

class DumpFile {
public:
    explicit DumpFile(const std::wstring& path);
    ~DumpFile();
    DumpFile(const DumpFile&) = delete;
    DumpFile& operator=(const DumpFile&) = delete;

    bool valid() const { return view_ != nullptr; }
    std::optional<MINIDUMP_EXCEPTION_STREAM> exception() const;
    std::vector<std::wstring> modulePaths() const;

private:
    FileHandle file_;
    KernelHandle mapping_;
    void* view_ = nullptr;
};
