// crashdemo <kind> [options]: loads the crash handler from beside itself, installs it and
// crashes in the way `kind` names.
//   --report PATH, --dump PATH   where the crash handler is to write its files
//   --no-own-filter              clear the process's own unhandled-exception filter first
//   --reset                      install, then reset the handler before crashing
//   --faulting-callback          install a host callback that itself faults
//   --end-on-overflow            end the process when a stack overflow is left to the system
//                                (Wine's debugger hangs on such a process)
//   --close-box MS               close the "Alert" box after MS milliseconds (headless runs)
//   --debug-log PATH             append every debugger-output line of the process to PATH
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "CorvaneCrashHandler.h"
#include "CrashKinds.h"

namespace {

struct CrashHandlerApi {
    decltype(&SetCrashHandler) setCrashHandler;
    decltype(&ResetCrashHandler) resetCrashHandler;
    decltype(&SetReportFilePath) setReportFilePath;
    decltype(&SetDumpFilePath) setDumpFilePath;
    decltype(&GetReportFilePath) getReportFilePath;
    decltype(&GetDumpFilePath) getDumpFilePath;
};

template <class Fn>
Fn bind(HMODULE library, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

HANDLE g_debugLog = INVALID_HANDLE_VALUE;

LONG CALLBACK logDebugOutput(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2) {
        const auto length = static_cast<DWORD>(record->ExceptionInformation[0]);
        DWORD written = 0;
        WriteFile(g_debugLog, reinterpret_cast<const void*>(record->ExceptionInformation[1]), length ? length - 1 : 0,
                  &written, nullptr);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

DWORD g_closeAfterMs = 0;

BOOL CALLBACK closeOwnAlert(HWND window, LPARAM)
{
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t caption[16] = {};
    GetWindowTextW(window, caption, 16);
    if (owner == GetCurrentProcessId() && lstrcmpW(caption, L"Alert") == 0) {
        PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return FALSE;
    }
    return TRUE;
}

DWORD WINAPI boxCloser(void*)
{
    Sleep(g_closeAfterMs);
    for (;;) {
        EnumWindows(closeOwnAlert, 0);
        Sleep(100);
    }
}

// Registered last, so it runs only when every other vectored handler passed the exception on.
LONG CALLBACK endOnOverflow(EXCEPTION_POINTERS* pointers)
{
    if (pointers->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW)
        TerminateProcess(GetCurrentProcess(), EXCEPTION_STACK_OVERFLOW);
    return EXCEPTION_CONTINUE_SEARCH;
}

LONG WINAPI faultingCallback(EXCEPTION_POINTERS*)
{
    *static_cast<volatile int*>(nullptr) = 2;
    return EXCEPTION_EXECUTE_HANDLER;
}

int usage()
{
    std::fprintf(stderr,
                 "usage: crashdemo <kind> [--report PATH] [--dump PATH] [--no-own-filter] [--reset] "
                 "[--faulting-callback] [--end-on-overflow] [--close-box MS] [--debug-log PATH]\nkinds: %s\n",
                 crashKindNames());
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string kind = argv[1];
    const char* report = nullptr;
    const char* dump = nullptr;
    bool reset = false;
    bool noOwnFilter = false;
    bool endAfterOverflow = false;
    bool faulting = false;
    for (int i = 2; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--report" && hasValue)
            report = argv[++i];
        else if (option == "--dump" && hasValue)
            dump = argv[++i];
        else if (option == "--reset")
            reset = true;
        else if (option == "--end-on-overflow")
            endAfterOverflow = true;
        else if (option == "--no-own-filter")
            noOwnFilter = true;
        else if (option == "--faulting-callback")
            faulting = true;
        else if (option == "--close-box" && hasValue)
            g_closeAfterMs = static_cast<DWORD>(std::atoi(argv[++i]));
        else if (option == "--debug-log" && hasValue) {
            g_debugLog = CreateFileA(argv[++i], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            AddVectoredExceptionHandler(1, logDebugOutput);
        } else
            return usage();
    }

    HMODULE library = LoadLibraryW(L"CorvaneCrashHandler64.dll");
    if (!library) {
        std::fprintf(stderr, "crashdemo: cannot load CorvaneCrashHandler64.dll\n");
        return 1;
    }
    const CrashHandlerApi api{
        bind<decltype(&SetCrashHandler)>(library, "SetCrashHandler"),
        bind<decltype(&ResetCrashHandler)>(library, "ResetCrashHandler"),
        bind<decltype(&SetReportFilePath)>(library, "SetReportFilePath"),
        bind<decltype(&SetDumpFilePath)>(library, "SetDumpFilePath"),
        bind<decltype(&GetReportFilePath)>(library, "GetReportFilePath"),
        bind<decltype(&GetDumpFilePath)>(library, "GetDumpFilePath"),
    };
    if (noOwnFilter)
        SetUnhandledExceptionFilter(nullptr);
    api.setReportFilePath(report);
    api.setDumpFilePath(dump);
    if (!api.setCrashHandler(faulting ? faultingCallback : nullptr)) {
        std::fprintf(stderr, "crashdemo: SetCrashHandler refused the callback\n");
        return 1;
    }
    if (reset)
        api.resetCrashHandler();
    if (endAfterOverflow)
        AddVectoredExceptionHandler(0, endOnOverflow);
    char paths[2 * MAX_PATH + 32];
    wsprintfA(paths, "dump:   %s\nreport: %s\n", api.getDumpFilePath(), api.getReportFilePath());
    std::fputs(paths, stdout);
    std::fflush(stdout);
    OutputDebugStringA(paths);

    if (g_closeAfterMs)
        CloseHandle(CreateThread(nullptr, 0, boxCloser, nullptr, 0, nullptr));
    if (!crashAs(kind))
        return usage();
    return 0;
}
