#pragma once
#include <windows.h>

// One module reported while the minidump was written: the first 104 bytes of its
// MINIDUMP_MODULE_CALLBACK (whose path pointer is stale afterwards) and the path in ANSI.
struct ModuleRecord {
    BYTE moduleData[104];
    char fullPath[MAX_PATH];
    ModuleRecord* next;
};
