#pragma once
#include "IPipitLock.h"

#include <windows.h>

// A critical section: recursive, so a thread holding it may take it again.
class CPipitLock : public IPipitLock {
public:
    CPipitLock() noexcept { InitializeCriticalSection(&section_); }
    ~CPipitLock() override { DeleteCriticalSection(&section_); }
    CPipitLock(const CPipitLock&) = delete;
    CPipitLock& operator=(const CPipitLock&) = delete;

    void lock() override { EnterCriticalSection(&section_); }
    void unlock() override { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};
