#pragma once
#include <windows.h>

// WH_CBT hook on the view's thread: takes the view over or gives it back on the private signals.
LRESULT CALLBACK DesktopHookProc(int code, WPARAM wParam, LPARAM lParam);
