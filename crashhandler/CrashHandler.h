#pragma once
// The crash handler's state: the configured paths, the installed filter and callback, the
// debug-help binding and the static crash buffers. One instance, built at load.
#include <windows.h>
#include <dbghelp.h>

#include "CrashRecord.h"
#include "DebugHelp.h"
#include "OverflowWatch.h"

struct LogicalAddress {
    DWORD section;  // 1-based; 0 when the address lies in no section of a loaded image
    DWORD64 offset;
};

class CrashHandler {
public:
    CrashHandler();
    virtual ~CrashHandler();
    CrashHandler(const CrashHandler&) = delete;
    CrashHandler& operator=(const CrashHandler&) = delete;

    static CrashHandler& instance();

    char reportFilePath[MAX_PATH + 1];
    char dumpFilePath[MAX_PATH + 1];
    char zipFilePath[MAX_PATH + 1];
    char scratchModulePath[MAX_PATH + 1];
    bool ownsDebugHelp = false;
    OverflowWatch overflowWatch;

    // Library-wide crash state.
    static LPTOP_LEVEL_EXCEPTION_FILTER crashCallback;
    static LPTOP_LEVEL_EXCEPTION_FILTER previousFilter;
    static DebugHelp debugHelp;
    static BOOL symbolHandlerReady;
    static CrashRecord record;
    // The thread whose crash is being processed: the faulting thread itself, or the thread a
    // stack overflow was handed over from.
    static DWORD crashThreadId;
    static HANDLE crashThread;

    static bool isCode(LPTOP_LEVEL_EXCEPTION_FILTER callback)
    {
        return !IsBadCodePtr(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(callback)));
    }
    static LONG WINAPI filter(EXCEPTION_POINTERS* pointers);
    // The filter's work for a crash of `threadId`, run on the faulting thread or on the helper.
    static LONG processCrash(EXCEPTION_POINTERS* pointers, DWORD threadId, HANDLE thread);
    static LONG defaultCallback(EXCEPTION_POINTERS* pointers);

    static void initSymbolHandler();
    static void cleanupSymbolHandler();
    static const char* exceptionName(DWORD code);
    static LogicalAddress logicalAddress(DWORD64 address);
    // The same, and the full path of the image that holds the address into `path`.
    static LogicalAddress logicalAddress(DWORD64 address, char* path, DWORD size);
    void describeFault(EXCEPTION_POINTERS* pointers);
    static void captureRegisters(EXCEPTION_POINTERS* pointers);
    void walkStack(EXCEPTION_POINTERS* pointers, DWORD detail);

private:
    void bindDebugHelp();
    void describeFaultWithoutDebugHelp(EXCEPTION_POINTERS* pointers);
    void walkFramePointers();
};
