#pragma once
// Makes IsDebuggerPresent true for this process while it lives, so the lines the library writes
// only for a debugger can be seen by DebugOutputCapture.
#include <windows.h>
#include <winternl.h>

class DebuggerAttached {
public:
    DebuggerAttached() : peb_(processPeb()), was_(peb_->BeingDebugged) { peb_->BeingDebugged = 1; }
    ~DebuggerAttached() { peb_->BeingDebugged = was_; }
    DebuggerAttached(const DebuggerAttached&) = delete;
    DebuggerAttached& operator=(const DebuggerAttached&) = delete;

private:
    static PEB* processPeb()
    {
        using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
        const auto query = reinterpret_cast<Query>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
        PROCESS_BASIC_INFORMATION info{};
        query(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info, nullptr);
        return info.PebBaseAddress;
    }

    PEB* peb_;
    BYTE was_;
};
