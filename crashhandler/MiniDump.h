#pragma once
// Writes the process's minidump through dbghelp's MiniDumpWriteDump (bound on first use) and
// collects one ModuleRecord per module the writer reports.
#include <windows.h>
#include <dbghelp.h>

#include "ModuleRecord.h"

enum class DumpStatus : DWORD {
    Written = 0,
    NoDebugHelp = 1,
    NoEntryPoint = 2,
    BadArgument = 3,
    CreateFileFailed = 4,
    WriteFailed = 5,
    NotBound = 8,
};

class MiniDump {
public:
    MiniDump() = default;
    virtual ~MiniDump();
    MiniDump(const MiniDump&) = delete;
    MiniDump& operator=(const MiniDump&) = delete;

    static MiniDump& instance();

    DumpStatus write(MINIDUMP_TYPE type, const char* path, DWORD threadId, EXCEPTION_POINTERS* pointers);
    DumpStatus write(MINIDUMP_TYPE type, const wchar_t* path, DWORD threadId, EXCEPTION_POINTERS* pointers);
    DumpStatus status() const { return status_; }

    static const ModuleRecord* modules() { return firstModule_; }

private:
    bool bind();
    static BOOL CALLBACK onCallback(PVOID param, PMINIDUMP_CALLBACK_INPUT input, PMINIDUMP_CALLBACK_OUTPUT output);

    DumpStatus status_ = DumpStatus::NotBound;
    static decltype(&::MiniDumpWriteDump) writeDump_;
    static ModuleRecord* firstModule_;
    static ModuleRecord* lastModule_;
};
