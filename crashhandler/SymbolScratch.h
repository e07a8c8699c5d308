#pragma once
// The symbol and line structures every lookup at crash time reuses (no heap).
#include <windows.h>
#include <dbghelp.h>

// The 1024-byte symbol buffer, zeroed, with its size fields set and room for `maxNameLength`.
IMAGEHLP_SYMBOL64* clearedSymbol(DWORD maxNameLength);
IMAGEHLP_LINE64* clearedLine();
