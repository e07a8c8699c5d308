#pragma once
// Tessar64.dll loaded as the player engine loads it, with its two exports bound.
#include <windows.h>

#include "ScopedHandle.h"

class HookLibrary {
public:
    HookLibrary();
    HWND start() const { return start_(); }
    BOOL stop() const { return stop_(); }

private:
    ModuleHandle module_;
    HWND(WINAPI* start_)() = nullptr;
    BOOL(WINAPI* stop_)() = nullptr;
};
