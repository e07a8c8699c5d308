#pragma once
// Yarnly64.dll (or a test build of it) loaded and bound by name, as the player engine does.
#include <string>

#include "ScopedHandle.h"
#include "Yarnly.h"

struct YarnlyLibrary {
    explicit YarnlyLibrary(const char* path);

    ModuleHandle module;
    decltype(&Yarnly_Join) join = nullptr;
    decltype(&Yarnly_Leave) leave = nullptr;
    decltype(&Yarnly_Msg) msg = nullptr;
    decltype(&Yarnly_Msg_Ex) msgEx = nullptr;
    decltype(&Yarnly_Kick) kick = nullptr;
    decltype(&Yarnly_Report) report = nullptr;
    decltype(&Yarnly_Perm) perm = nullptr;
    decltype(&Yarnly_Who) who = nullptr;
    decltype(&Yarnly_Get) get = nullptr;
    decltype(&Yarnly_Set) set = nullptr;
    decltype(&Yarnly_Open) open = nullptr;
    decltype(&Yarnly_FreeMsg) freeMsg = nullptr;
};

// The counted test build also exports the number of record blocks it has handed out and freed.
struct HeapCounts {
    long allocated;
    long freed;
    long live() const { return allocated - freed; }
};
HeapCounts heapCounts(const YarnlyLibrary& library);
