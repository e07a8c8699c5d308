#pragma once
// Module names (through psapi.dll when it can be bound, else a tool-help snapshot) and ANSI/wide
// conversion in the process's ANSI code page, for the crash-time code.
#include <windows.h>

class Utility {
public:
    Utility();
    virtual ~Utility();
    Utility(const Utility&) = delete;
    Utility& operator=(const Utility&) = delete;

    // The base name of `module` (of the main executable when null) into `buffer`; without
    // psapi.dll the snapshot gives the executable's full path instead. Returns the length, 0
    // when the module is not found.
    DWORD moduleName(HANDLE process, HMODULE module, char* buffer, DWORD size) const;
    // Last-write time of `path` as "YYYY/MM/DD, hh:mm:ss" local time; -1 when unreadable.
    int fileTimeStamp(const char* path, char* buffer, int size) const;
    bool ansiToWide(const char* text, wchar_t* buffer, int sizeInChars) const;
    bool wideToAnsi(const wchar_t* text, char* buffer, int sizeInBytes) const;

private:
    using GetModuleBaseNameAFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);
    static GetModuleBaseNameAFn getModuleBaseNameA_;
    HMODULE processStatus_ = nullptr;
    bool ownsProcessStatus_ = false;
};

// The three instances, built in the library's fixed order: names of the fault description and
// the stack walk, time stamps of the report's modules, conversions of the minidump writer.
Utility& moduleNames();
Utility& timeStamps();
Utility& conversions();
