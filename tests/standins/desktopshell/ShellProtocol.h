#pragma once
// How a test drives the stand-in desktop shell: messages sent to its "ProgMan" window, and the
// events the shell's views post to the test's observer window.
#include <windows.h>

namespace shell {

// wParam of the view-related requests: which of the shell's views.
enum View : WPARAM { kIconListView = 0, kActiveDesktopView = 1 };

enum Request : UINT {
    kSetObserver = WM_APP + 1,  // wParam: the test's window for the view events
    kGetView,                   // -> the view's window handle
    kHasOwnProcedure,           // -> 1 when the view runs its own window procedure
    kRender,                    // paints the view's background into the shell's bitmap -> 1
    kPixel,                     // wParam: MAKEWPARAM(x, y) of the last render -> COLORREF
    kTakePaintedArea,           // paints what is pending -> packed area repainted since last asked
    kDestroyView,               // destroys the view -> 1
    kCreateIconListView,        // makes a new icon list view -> its window handle
    kGdiObjects,                // -> the number of GDI objects the shell holds
};

// Posted by a view to the observer while the view handles the message itself.
enum Event : UINT {
    kViewKeyDown = WM_APP + 100,  // wParam, lParam: those of the WM_KEYDOWN
    kViewDestroy,                 // the view's own WM_DESTROY handling
};

// The background of each view, and the look of the active-desktop view.
constexpr COLORREF kIconListBackground = RGB(0, 128, 128);
constexpr COLORREF kActiveDesktopBackground = RGB(0, 0, 128);

// A rectangle in the 64-bit result of kTakePaintedArea: left, top, right, bottom as 16-bit
// values from the high word down; 0 when nothing was painted.
constexpr LRESULT packArea(const RECT& r)
{
    return static_cast<LRESULT>((static_cast<UINT64>(r.left & 0xFFFF) << 48) |
                                (static_cast<UINT64>(r.top & 0xFFFF) << 32) |
                                (static_cast<UINT64>(r.right & 0xFFFF) << 16) |
                                static_cast<UINT64>(r.bottom & 0xFFFF));
}
constexpr RECT unpackArea(LRESULT packed)
{
    const auto v = static_cast<UINT64>(packed);
    return {static_cast<LONG>((v >> 48) & 0xFFFF), static_cast<LONG>((v >> 32) & 0xFFFF),
            static_cast<LONG>((v >> 16) & 0xFFFF), static_cast<LONG>(v & 0xFFFF)};
}

}  // namespace shell
