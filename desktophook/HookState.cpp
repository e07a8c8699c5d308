#include "HookState.h"

HINSTANCE ModuleInstance = nullptr;
HookHandleOwner HookHandle;
HWND DesktopView = nullptr;
WNDPROC PreviousWndProc = nullptr;
COLORREF FillColor = 0;
RECT FillArea = {};
HWND NotifyWindow = nullptr;
