#include "DesktopHookProc.h"

#include "DesktopViewProc.h"
#include "HookSignals.h"
#include "HookState.h"
#include "ViewSearch.h"

namespace {

void giveViewBack()
{
    SetWindowLongPtrA(DesktopView, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousWndProc));
    // Draw the view afresh where the colour was.
    InvalidateRect(DesktopView, &FillArea, TRUE);
    PreviousWndProc = nullptr;
}

void takeViewOver()
{
    FindDesktopView();
    FillColor = 0;
    NotifyWindow = nullptr;
    PreviousWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(DesktopView, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DesktopViewProc)));
}

}  // namespace

LRESULT CALLBACK DesktopHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    // A signal for the state the view is already in goes on to the view unchanged.
    if (code == HCBT_SYSCOMMAND) {
        if (lParam == kGiveBackSignal && PreviousWndProc) {
            giveViewBack();
            return 1;  // the system command itself is not carried out
        }
        if (lParam == kTakeOverSignal && !PreviousWndProc) {
            takeViewOver();
            return 1;
        }
    }
    return CallNextHookEx(HookHandle.get(), code, wParam, lParam);
}
