#pragma once
// A stack overflow leaves the faulting thread too little stack for the crash processing (and
// some systems never call the unhandled-exception filter for it at all). While the library's
// filter is installed, a first-chance vectored handler catches that one code, hands the
// exception to a waiting helper thread, and waits while the helper runs the filter's work.
#include <windows.h>

#include "ScopedHandle.h"

class OverflowWatch {
public:
    OverflowWatch() = default;
    ~OverflowWatch();
    OverflowWatch(const OverflowWatch&) = delete;
    OverflowWatch& operator=(const OverflowWatch&) = delete;

    void start();
    // Removes the handler and tells the helper to end; never waits for it (this also runs under
    // the loader lock at unload).
    void stop();
    // The helper's result when this very stack overflow was already processed by it.
    const LONG* resultFor(const EXCEPTION_POINTERS* pointers) const;

private:
    static LONG CALLBACK onException(EXCEPTION_POINTERS* pointers);
    static DWORD WINAPI helperMain(void* module);
    void serve();

    PVOID handler_ = nullptr;
    KernelHandle request_;  // auto-reset: a stack overflow waits for the helper
    KernelHandle done_;     // auto-reset: the helper has processed it
    KernelHandle stop_;     // manual-reset: the helper is to end
    KernelHandle ended_;    // manual-reset: the helper has ended
    bool running_ = false;
    volatile LONG busy_ = 0;  // one hand-over at a time
    EXCEPTION_POINTERS* pointers_ = nullptr;
    DWORD threadId_ = 0;
    LONG result_ = EXCEPTION_CONTINUE_SEARCH;
    const EXCEPTION_RECORD* handedOver_ = nullptr;
};
