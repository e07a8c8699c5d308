#pragma once
/* CorvaneCrashHandler64.dll: the process-wide crash handler of the player.
 *
 * SetCrashHandler installs an unhandled-exception filter; on a crash the default callback writes
 * a minidump and an XML crash report (by default beside the main executable, as name.exc.dmp and
 * name.exc.xml), shows an "Alert" box and lets the process end. All strings are NUL-terminated
 * in the ANSI code page and are copied before the call returns; the Get* functions return the
 * library's own buffers, valid while it is loaded. */
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Callback with the signature of a top-level exception filter; null selects
 * defaultExceptionCallBack. Returns 1 when accepted, 0 when the pointer is not code. */
int SetCrashHandler(LPTOP_LEVEL_EXCEPTION_FILTER callback);
/* Forgets the callback and puts back the filter that was in place before SetCrashHandler. */
void ResetCrashHandler(void);

/* Null, unreadable or unchanged (compared without regard to case) paths are ignored. */
void SetReportFilePath(const char* path);
const char* GetReportFilePath(void);
void SetDumpFilePath(const char* path);
const char* GetDumpFilePath(void);
void SetZipFilePath(const char* path);
const char* GetZipFilePath(void);

/* Stores six e-mail settings (each cut to 127 characters); items 3 to 6 may be null and keep
 * their value then. Returns 0, or -1 and stores nothing when item 1 or 2 is null. */
int SetEmailConf(const char* item1, const char* item2, const char* item3,
                             const char* item4, const char* item5, const char* item6);

/* The default crash processing; always returns EXCEPTION_EXECUTE_HANDLER. */
LONG defaultExceptionCallBack(EXCEPTION_POINTERS* pointers);

#ifdef __cplusplus
}
#endif
