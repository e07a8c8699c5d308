// Built without optimisation and with frame pointers: each crash happens in its own named
// function, as a crash report should show it.
#include "CrashKinds.h"

#include <windows.h>

#include <stdexcept>

namespace {

void announceCrashingThread(const char* kind)
{
    char line[96];
    wsprintfA(line, "crashdemo: %s on thread %lu\n", kind, GetCurrentThreadId());
    OutputDebugStringA(line);
}

constexpr DWORD kUnlistedCode = 0xE0001234;  // no name in the crash handler's table

__attribute__((noinline)) void crashAccessViolation()
{
    *static_cast<volatile int*>(nullptr) = 1;
}

__attribute__((noinline)) void crashDivideByZero()
{
    // Both operands read from memory: 1 / x alone compiles to a compare, not a division.
    volatile int dividend = 7;
    volatile int zero = 0;
    volatile int result = dividend / zero;
    (void)result;
}

__attribute__((noinline)) void crashIllegalInstruction() { __builtin_trap(); }

volatile bool g_keepRecursing = true;  // not a constant, so the compiler keeps the recursion

__attribute__((noinline)) int crashStackOverflow(int depth)
{
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return g_keepRecursing ? crashStackOverflow(depth + 1) + frame[0] : 0;
}

__attribute__((noinline)) void crashRaiseException() { RaiseException(kUnlistedCode, 0, 0, nullptr); }

// A g++ throw that nobody catches ends in std::terminate before any exception filter sees it;
// the player engine is built with the Microsoft compiler, whose throw is the run-time library's
// _CxxThrowException, so the demo throws that way.
__attribute__((noinline)) void crashCppException()
{
    using ThrowFn = void(__stdcall*)(void* object, void* throwInfo);
    auto cxxThrow = reinterpret_cast<ThrowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"msvcrt.dll"), "_CxxThrowException")));
    static std::runtime_error error("nobody catches this");
    if (cxxThrow)
        cxxThrow(&error, nullptr);
}

DWORD WINAPI secondThread(void*)
{
    announceCrashingThread("second-thread");
    crashAccessViolation();
    return 0;
}

__attribute__((noinline)) void crashOnSecondThread()
{
    HANDLE thread = CreateThread(nullptr, 0, secondThread, nullptr, 0, nullptr);
    WaitForSingleObject(thread, INFINITE);
}

__attribute__((noinline)) void crashInOtherLibrary()
{
    HMODULE library = LoadLibraryW(L"crashlib.dll");
    auto crash = reinterpret_cast<void (*)()>(reinterpret_cast<void*>(GetProcAddress(library, "crashInsideLibrary")));
    if (crash)
        crash();
}

}  // namespace

bool crashAs(const std::string& kind)
{
    if (kind == "none")
        return true;
    if (kind != "second-thread")
        announceCrashingThread(kind.c_str());
    if (kind == "access-violation")
        crashAccessViolation();
    else if (kind == "divide-by-zero")
        crashDivideByZero();
    else if (kind == "illegal-instruction")
        crashIllegalInstruction();
    else if (kind == "stack-overflow")
        crashStackOverflow(0);
    else if (kind == "raise")
        crashRaiseException();
    else if (kind == "cpp-exception")
        crashCppException();
    else if (kind == "second-thread")
        crashOnSecondThread();
    else if (kind == "other-dll")
        crashInOtherLibrary();
    else
        return false;
    return true;
}

const char* crashKindNames()
{
    return "none access-violation divide-by-zero illegal-instruction stack-overflow raise cpp-exception second-thread "
           "other-dll";
}
