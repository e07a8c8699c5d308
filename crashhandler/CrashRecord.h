#pragma once
#include <windows.h>

struct FrameRecord;

// What the fault description and the register capture found; one static instance, zero until a
// crash fills it.
struct CrashRecord {
    SYSTEMTIME crashTime;
    DWORD exceptionCode;
    char exceptionDescription[64];
    char executableName[MAX_PATH];
    char faultModuleName[MAX_PATH];
    DWORD segment;
    DWORD64 linearAddress;
    DWORD section;
    DWORD64 offset;
    char symbolName[128];
    DWORD64 symbolDisplacement;
    char sourceFile[MAX_PATH];
    DWORD64 lineNumber;
    DWORD64 lineDisplacement;
    DWORD64 rax, rbx, rcx, rdx, rsi, rdi, rbp, rsp, rip;
    DWORD eflags, cs, ds, ss, es, fs, gs;
    FrameRecord* frames;
};
