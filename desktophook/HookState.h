#pragma once
// The library's globals. Nothing is shared between processes: the copy in the host's process and
// the copy that the hook loads into the desktop shell's process each use their own half.
#include <windows.h>

#include "ScopedHandle.h"

struct HookHandleTraits {
    using Handle = HHOOK;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { UnhookWindowsHookEx(h); }
};
using HookHandleOwner = ScopedHandle<HookHandleTraits>;

// Host's process.
extern HINSTANCE ModuleInstance;
extern HookHandleOwner HookHandle;

// Both: the view found by the last search; in the host's process it also marks a started hook.
extern HWND DesktopView;

// Shell's process.
extern WNDPROC PreviousWndProc;  // null while the view has its own procedure
extern COLORREF FillColor;       // 0: no painting
extern RECT FillArea;            // view client coordinates
extern HWND NotifyWindow;
