#include "DesktopHookProc.h"
#include "HookSignals.h"
#include "HookState.h"
#include "Tessar64.h"
#include "ViewSearch.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID)
{
    ModuleInstance = instance;
    return TRUE;
}

HWND WINAPI StartDeskTopHook()
{
    if (!FindDesktopView())
        return nullptr;
    const DWORD viewThread = GetWindowThreadProcessId(DesktopView, nullptr);
    // Replacing the handle removes an earlier hook once the new one is in place.
    HookHandle.reset(SetWindowsHookExA(WH_CBT, DesktopHookProc, ModuleInstance, viewThread));
    // Returns once the view's thread has handled the signal, so the view is taken over now.
    SendMessageA(DesktopView, WM_SYSCOMMAND, kSignalCommand, kTakeOverSignal);
    return DesktopView;
}

BOOL WINAPI StopDeskTopHook()
{
    if (!DesktopView)
        return FALSE;
    // The view gets its own procedure back before the hook, and with it the library, can go.
    SendMessageA(DesktopView, WM_SYSCOMMAND, kSignalCommand, kGiveBackSignal);
    const BOOL removed = UnhookWindowsHookEx(HookHandle.release());
    DesktopView = nullptr;
    return removed;
}
