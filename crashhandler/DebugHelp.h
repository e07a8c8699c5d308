#pragma once
// The debug-help entry points the crash code uses, bound by name at load; all or nothing.
#include <windows.h>
#include <dbghelp.h>

struct DebugHelp {
    HMODULE module;
    decltype(&::SymInitialize) SymInitialize;
    decltype(&::SymCleanup) SymCleanup;
    decltype(&::SymGetOptions) SymGetOptions;
    decltype(&::SymSetOptions) SymSetOptions;
    decltype(&::SymGetModuleBase64) SymGetModuleBase64;
    decltype(&::SymGetSymFromAddr64) SymGetSymFromAddr64;
    decltype(&::SymGetLineFromAddr64) SymGetLineFromAddr64;
    decltype(&::SymFunctionTableAccess64) SymFunctionTableAccess64;
    decltype(&::StackWalk64) StackWalk64;

    bool present() const
    {
        return module && SymInitialize && SymCleanup && SymGetOptions && SymSetOptions && SymGetModuleBase64 &&
               SymGetSymFromAddr64 && SymGetLineFromAddr64 && SymFunctionTableAccess64 && StackWalk64;
    }
};
