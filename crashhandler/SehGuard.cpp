#include "SehGuard.h"

#include <windows.h>

extern "C" char guardRecover[];

// The language handler of guardedCall: every exception that reaches it ends the guarded step,
// like __except(EXCEPTION_EXECUTE_HANDLER).
extern "C" EXCEPTION_DISPOSITION guardHandler(EXCEPTION_RECORD* record, void* establisherFrame,
                                              CONTEXT* context, void* /*dispatcherContext*/)
{
    if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    context->Rip = reinterpret_cast<DWORD64>(guardRecover);
    context->Rsp = reinterpret_cast<DWORD64>(establisherFrame);
    context->Rax = 0;
    return ExceptionContinueExecution;
}
