#include "DesktopViewProc.h"

#include "GdiObject.h"
#include "HookState.h"
#include "Tessar64.h"

namespace {

LRESULT callPrevious(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(PreviousWndProc, DesktopView, message, wParam, lParam);
}

LONG highWord(WPARAM packed) { return static_cast<LONG>((packed >> 16) & 0xFFFF); }
LONG lowWord(WPARAM packed) { return static_cast<LONG>(packed & 0xFFFF); }

LRESULT eraseAndFill(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The view erases and draws its own background first; the colour goes on top.
    callPrevious(message, wParam, lParam);
    const GdiObject brush(CreateSolidBrush(FillColor));
    if (brush)
        FillRect(reinterpret_cast<HDC>(wParam), &FillArea, static_cast<HBRUSH>(brush.get()));
    return 1;
}

}  // namespace

LRESULT CALLBACK DesktopViewProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (FillColor != 0 && message == WM_ERASEBKGND)
        return eraseAndFill(message, wParam, lParam);
    if (message == WM_DESKTOP_SETCOLOR) {
        NotifyWindow = reinterpret_cast<HWND>(wParam);
        FillColor = static_cast<COLORREF>(lParam & 0xFFFFFFFF);
        return 0;
    }
    if (message == WM_DESKTOP_SETAREA) {
        FillArea = {highWord(wParam), lowWord(wParam), highWord(lParam), lowWord(lParam)};
        return 0;
    }

    if (message == WM_DESTROY && NotifyWindow)
        PostMessageA(NotifyWindow, WM_DESKTOP_DESTROYED, 0, 0);
    const LRESULT result = callPrevious(message, wParam, lParam);
    if (message == WM_KEYDOWN && NotifyWindow)
        PostMessageA(NotifyWindow, WM_DESKTOP_KEYDOWN, wParam, lParam);
    // The take-over ends with the window, so that a view created later can be taken over.
    if (message == WM_NCDESTROY)
        PreviousWndProc = nullptr;
    return result;
}
