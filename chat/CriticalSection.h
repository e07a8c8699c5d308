#pragma once
// A platform critical section owned by its object, and a scope that holds it.
#include <windows.h>

class CriticalSection {
public:
    CriticalSection() noexcept { InitializeCriticalSection(&section_); }
    ~CriticalSection() { DeleteCriticalSection(&section_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    void enter() noexcept { EnterCriticalSection(&section_); }
    void leave() noexcept { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};

class CriticalSectionScope {
public:
    explicit CriticalSectionScope(CriticalSection& section) noexcept : section_(section) { section_.enter(); }
    ~CriticalSectionScope() { section_.leave(); }
    CriticalSectionScope(const CriticalSectionScope&) = delete;
    CriticalSectionScope& operator=(const CriticalSectionScope&) = delete;

private:
    CriticalSection& section_;
};
