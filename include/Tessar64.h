#pragma once
// Tessar64.dll: makes the desktop's icon view paint a solid colour into a rectangle after it has
// erased its background, and reports the view's destruction and key presses to a host window.
//
// The host calls StartDeskTopHook, keeps the view window it returns and sends that window
// WM_DESKTOP_SETCOLOR and WM_DESKTOP_SETAREA whenever the colour or the area changes; neither
// repaints by itself, so the host invalidates the area when the change should show. Its
// notification window then receives WM_DESKTOP_DESTROYED and WM_DESKTOP_KEYDOWN (posted, never
// sent). StopDeskTopHook gives the view its own window procedure back and removes the hook.
#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// Host to view. wParam: the host's notification window; lParam: the COLORREF in the low 32
// bits, 0 to stop painting (so black cannot be painted). Result 0.
#define WM_DESKTOP_SETCOLOR (WM_USER + 1006)
// Host to view. wParam: left in bits 16-31, top in bits 0-15; lParam: right in bits 16-31,
// bottom in bits 0-15. Unsigned client coordinates of the view. Result 0.
#define WM_DESKTOP_SETAREA (WM_USER + 1015)
// View to host, posted when the view is being destroyed. wParam and lParam 0.
#define WM_DESKTOP_DESTROYED (WM_USER + 1003)
// View to host, posted after the view has handled a WM_KEYDOWN; carries its wParam and lParam.
#define WM_DESKTOP_KEYDOWN (WM_USER + 1009)

// Packs one corner of the area for WM_DESKTOP_SETAREA: x in the high word, y in the low word.
#define DESKTOP_AREA_CORNER(x, y) ((((DWORD)(x) & 0xFFFFu) << 16) | ((DWORD)(y) & 0xFFFFu))

// The view window (taken over when the hook could be installed), or null when the desktop shell
// has no view; nothing is installed then.
HWND __stdcall StartDeskTopHook(void);
// The result of removing the hook, or FALSE when no hook was started.
BOOL __stdcall StopDeskTopHook(void);

#ifdef __cplusplus
}

static_assert(WM_DESKTOP_SETCOLOR == 0x07EE && WM_DESKTOP_SETAREA == 0x07F7);
static_assert(WM_DESKTOP_DESTROYED == 0x07EB && WM_DESKTOP_KEYDOWN == 0x07F1);
static_assert(DESKTOP_AREA_CORNER(100, 50) == 0x00640032 && DESKTOP_AREA_CORNER(500, 400) == 0x01F40190);
static_assert(sizeof(RECT) == 16, "the area is four signed 32-bit values");
#endif
