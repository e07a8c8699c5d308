#include "OverflowWatch.h"

#include "CrashHandler.h"

namespace {
constexpr DWORD kStackOverflow = 0xC00000FD;
OverflowWatch* g_active = nullptr;
}  // namespace

OverflowWatch::~OverflowWatch() { stop(); }

void OverflowWatch::start()
{
    if (running_)
        return;
    if (!request_) {
        request_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        done_.reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
        stop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        ended_.reset(CreateEventW(nullptr, TRUE, TRUE, nullptr));
        if (!request_ || !done_ || !stop_ || !ended_)
            return;
    }
    // The helper keeps the library loaded while it runs and lets go of it as it ends.
    HMODULE self = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS, reinterpret_cast<LPCWSTR>(&helperMain), &self))
        return;
    ResetEvent(stop_.get());
    ResetEvent(ended_.get());
    g_active = this;
    KernelHandle thread(CreateThread(nullptr, 0, &helperMain, self, 0, nullptr));
    if (!thread) {
        SetEvent(ended_.get());
        FreeLibrary(self);
        return;
    }
    handler_ = AddVectoredExceptionHandler(1, &onException);
    running_ = true;
}

void OverflowWatch::stop()
{
    if (!running_)
        return;
    RemoveVectoredExceptionHandler(handler_);
    handler_ = nullptr;
    SetEvent(stop_.get());
    running_ = false;
}

const LONG* OverflowWatch::resultFor(const EXCEPTION_POINTERS* pointers) const
{
    return handedOver_ && pointers->ExceptionRecord == handedOver_ ? &result_ : nullptr;
}

LONG CALLBACK OverflowWatch::onException(EXCEPTION_POINTERS* pointers)
{
    OverflowWatch* watch = g_active;
    if (!watch || pointers->ExceptionRecord->ExceptionCode != kStackOverflow ||
        InterlockedCompareExchange(&watch->busy_, 1, 0) != 0)
        return EXCEPTION_CONTINUE_SEARCH;
    watch->pointers_ = pointers;
    watch->threadId_ = GetCurrentThreadId();
    SetEvent(watch->request_.get());
    const HANDLE answers[] = {watch->done_.get(), watch->ended_.get()};
    const bool served = WaitForMultipleObjects(2, answers, FALSE, INFINITE) == WAIT_OBJECT_0;
    InterlockedExchange(&watch->busy_, 0);
    if (!served)
        return EXCEPTION_CONTINUE_SEARCH;
    watch->handedOver_ = pointers->ExceptionRecord;
    return watch->result_ == EXCEPTION_CONTINUE_EXECUTION ? EXCEPTION_CONTINUE_EXECUTION : EXCEPTION_CONTINUE_SEARCH;
}

DWORD WINAPI OverflowWatch::helperMain(void* module)
{
    if (OverflowWatch* watch = g_active)
        watch->serve();
    FreeLibraryAndExitThread(static_cast<HMODULE>(module), 0);
}

void OverflowWatch::serve()
{
    // The request comes first, so an overflow signalled together with the stop is still served.
    const HANDLE wakers[] = {request_.get(), stop_.get()};
    while (WaitForMultipleObjects(2, wakers, FALSE, INFINITE) == WAIT_OBJECT_0) {
        KernelHandle thread(OpenThread(THREAD_ALL_ACCESS, FALSE, threadId_));
        result_ = CrashHandler::processCrash(pointers_, threadId_, thread.get());
        // The filter's result "execute handler" means: end the process, as the system would.
        if (result_ == EXCEPTION_EXECUTE_HANDLER)
            TerminateProcess(GetCurrentProcess(), pointers_->ExceptionRecord->ExceptionCode);
        SetEvent(done_.get());
    }
    SetEvent(ended_.get());
}
