#include "CrashHandler.h"

#include "CrashReport.h"
#include "FrameRecord.h"
#include "MiniDump.h"
#include "ReportOptions.h"
#include "SehGuard.h"

LPTOP_LEVEL_EXCEPTION_FILTER CrashHandler::crashCallback = nullptr;
LPTOP_LEVEL_EXCEPTION_FILTER CrashHandler::previousFilter = nullptr;
DebugHelp CrashHandler::debugHelp = {};
BOOL CrashHandler::symbolHandlerReady = 0;
CrashRecord CrashHandler::record = {};
DWORD CrashHandler::crashThreadId = 0;
HANDLE CrashHandler::crashThread = nullptr;

namespace {

constexpr DWORD kStackOverflow = 0xC00000FD;

// name.exe -> name.exc.xml; the dot is looked for in the file name only, so that a dot in a
// directory name never moves the files out of the executable's directory.
void defaultPath(const char* executable, const char* suffix, char* path)
{
    lstrcpynA(path, executable, MAX_PATH);
    char* lastDot = nullptr;
    for (char* p = path; *p; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/')
            lastDot = nullptr;
        else if (*p == '.')
            lastDot = p;
    }
    if (lastDot && lstrlenA(lastDot + 1) >= 3 && (lastDot - path) + 1 + lstrlenA(suffix) < MAX_PATH)
        lstrcpyA(lastDot + 1, suffix);
}

void announceStackOverflow()
{
    static const char kBar[] = "!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!!\n";
    static_assert(sizeof kBar == 33 + 2);
    OutputDebugStringA(kBar);
    OutputDebugStringA("EXCEPTION_STACK_OVERFLOW occurred\n");
    OutputDebugStringA(kBar);
}

char g_message[512];

}  // namespace

CrashHandler::CrashHandler()
{
    char executable[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, executable, MAX_PATH);
    defaultPath(executable, "exc.xml", reportFilePath);
    defaultPath(executable, "exc.dmp", dumpFilePath);
    defaultPath(executable, "exc.zip", zipFilePath);
    scratchModulePath[0] = '\0';
    crashCallback = nullptr;
    previousFilter = nullptr;
    symbolHandlerReady = 0;
    ZeroMemory(&record, sizeof record);
    bindDebugHelp();
}

CrashHandler::~CrashHandler()
{
    overflowWatch.stop();
    if (previousFilter) {
        SetUnhandledExceptionFilter(previousFilter);
        previousFilter = nullptr;
    }
    if (ownsDebugHelp)
        FreeLibrary(debugHelp.module);
    ownsDebugHelp = false;
    debugHelp = DebugHelp{};
    freeFrameRecords(record.frames);
}

LONG WINAPI CrashHandler::filter(EXCEPTION_POINTERS* pointers)
{
    if (const LONG* handedOver = instance().overflowWatch.resultFor(pointers))
        return *handedOver;
    return processCrash(pointers, GetCurrentThreadId(), GetCurrentThread());
}

LONG CrashHandler::processCrash(EXCEPTION_POINTERS* pointers, DWORD threadId, HANDLE thread)
{
    LONG result = EXCEPTION_CONTINUE_SEARCH;
    // A fault anywhere in here leaves the crash to the system's own handling.
    runGuarded([&] {
        crashThreadId = threadId;
        crashThread = thread;
        if (pointers->ExceptionRecord->ExceptionCode == kStackOverflow)
            announceStackOverflow();
        const LPTOP_LEVEL_EXCEPTION_FILTER callback = crashCallback;
        if (!callback)
            return;
        initSymbolHandler();
        const LONG callbackResult =
            isCode(callback) ? callback(pointers) : EXCEPTION_CONTINUE_SEARCH;
        cleanupSymbolHandler();
        result = callbackResult;
    });
    crashThreadId = 0;
    crashThread = nullptr;
    return result;
}

LONG CrashHandler::defaultCallback(EXCEPTION_POINTERS* pointers)
{
    CrashHandler& self = instance();
    GetLocalTime(&record.crashTime);
    if (ReportExceptionSection)
        self.describeFault(pointers);
    if (ReportRegisterSection)
        captureRegisters(pointers);
    if (ReportStackSection)
        self.walkStack(pointers, StackFrameDetail);
    // A host may call this outside the filter, on its own thread.
    const DWORD threadId = crashThreadId ? crashThreadId : GetCurrentThreadId();
    MiniDump::instance().write(MiniDumpType, self.dumpFilePath, threadId, pointers);
    {
        CrashReport report;
        report.setPath(self.reportFilePath);
        report.writeCrashTime(record);
        report.writeOperatingSystem();
        if (ReportExceptionSection)
            report.writeException(record);
        if (ReportRegisterSection)
            report.writeRegisters(record);
        if (ReportStackSection)
            report.writeStackTrace(record.frames);
        if (ReportModuleSection)
            report.writeModules(MiniDump::modules());
        report.save();
    }
    wsprintfA(g_message,
              "Unhandled exception occurred[0x%08X@0x%p]\r\nAdditional exception information has been stored "
              "locally\r\nand this application will be terminated.\r\n",
              static_cast<unsigned>(pointers->ExceptionRecord->ExceptionCode),
              pointers->ExceptionRecord->ExceptionAddress);
    MessageBoxA(nullptr, g_message, "Alert", MB_ICONERROR);
    return EXCEPTION_EXECUTE_HANDLER;
}
