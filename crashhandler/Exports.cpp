// The exported functions and the entry point.
#include <windows.h>

#include "CorvaneCrashHandler.h"
#include "CrashHandler.h"

namespace {

constexpr int kEmailItemSize = 128;
char g_email[6][kEmailItemSize];

void setPath(char* stored, const char* path)
{
    if (!path || IsBadStringPtrA(path, MAX_PATH) || lstrcmpiA(path, stored) == 0)
        return;
    lstrcpynA(stored, path, MAX_PATH + 1);
}

void setEmailDefaults()
{
    lstrcpynA(g_email[4], "user", kEmailItemSize);
    lstrcpynA(g_email[5], "Exception Information", kEmailItemSize);
}

}  // namespace

extern "C" {

int SetCrashHandler(LPTOP_LEVEL_EXCEPTION_FILTER callback)
{
    if (!callback)
        callback = &defaultExceptionCallBack;
    if (!CrashHandler::isCode(callback))
        return 0;
    CrashHandler::crashCallback = callback;
    if (!CrashHandler::previousFilter) {
        CrashHandler::previousFilter = SetUnhandledExceptionFilter(&CrashHandler::filter);
        CrashHandler::instance().overflowWatch.start();
    }
    return 1;
}

void ResetCrashHandler(void)
{
    if (CrashHandler::previousFilter) {
        SetUnhandledExceptionFilter(CrashHandler::previousFilter);
        CrashHandler::previousFilter = nullptr;
        // The library's filter is gone, and with it what it would do for a stack overflow.
        CrashHandler::instance().overflowWatch.stop();
    }
    CrashHandler::crashCallback = nullptr;
}

void SetReportFilePath(const char* path) { setPath(CrashHandler::instance().reportFilePath, path); }
const char* GetReportFilePath(void) { return CrashHandler::instance().reportFilePath; }
void SetDumpFilePath(const char* path) { setPath(CrashHandler::instance().dumpFilePath, path); }
const char* GetDumpFilePath(void) { return CrashHandler::instance().dumpFilePath; }
void SetZipFilePath(const char* path) { setPath(CrashHandler::instance().zipFilePath, path); }
const char* GetZipFilePath(void) { return CrashHandler::instance().zipFilePath; }

int SetEmailConf(const char* item1, const char* item2, const char* item3, const char* item4, const char* item5,
                 const char* item6)
{
    if (!item1 || !item2)
        return -1;
    const char* items[6] = {item1, item2, item3, item4, item5, item6};
    for (int i = 0; i < 6; ++i)
        if (items[i])
            lstrcpynA(g_email[i], items[i], kEmailItemSize);
    return 0;
}

LONG defaultExceptionCallBack(EXCEPTION_POINTERS* pointers) { return CrashHandler::defaultCallback(pointers); }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
        setEmailDefaults();
    return TRUE;
}

}  // extern "C"
