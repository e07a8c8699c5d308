#pragma once
#include <windows.h>

// The view's window procedure while it is taken over; everything not its own goes on to the
// view's previous procedure.
LRESULT CALLBACK DesktopViewProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
