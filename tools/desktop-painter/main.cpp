// Paints a colour into the desktop's icon view through Tessar64.dll, as the player does, holds it
// for a while and gives the view back.
//
//   PaintDesktop.exe <colour 0xBBGGRR> <left> <top> <right> <bottom> <hold milliseconds>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Tessar64.h"

namespace {

LRESULT CALLBACK notifyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESKTOP_KEYDOWN)
        std::printf("view key press: wParam 0x%llX lParam 0x%llX\n",
                    static_cast<unsigned long long>(wParam), static_cast<unsigned long long>(lParam));
    else if (message == WM_DESKTOP_DESTROYED)
        std::printf("view destroyed\n");
    else
        return DefWindowProcW(window, message, wParam, lParam);
    std::fflush(stdout);
    return 0;
}

HWND createNotifyWindow()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = notifyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"PaintDesktop.Notify";
    RegisterClassW(&wc);
    return CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           wc.hInstance, nullptr);
}

void pumpFor(DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr, "usage: PaintDesktop <colour> <left> <top> <right> <bottom> <hold ms>\n");
        return 2;
    }
    const auto colour = static_cast<COLORREF>(std::strtoul(argv[1], nullptr, 0));
    const RECT area = {std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5])};
    const auto holdMs = static_cast<DWORD>(std::strtoul(argv[6], nullptr, 0));

    const HWND view = StartDeskTopHook();
    if (!view) {
        std::printf("StartDeskTopHook: no desktop view\n");
        return 1;
    }
    std::printf("StartDeskTopHook: view %p\n", static_cast<void*>(view));
    SendMessageW(view, WM_DESKTOP_SETCOLOR, reinterpret_cast<WPARAM>(createNotifyWindow()), colour);
    SendMessageW(view, WM_DESKTOP_SETAREA, DESKTOP_AREA_CORNER(area.left, area.top),
                 DESKTOP_AREA_CORNER(area.right, area.bottom));
    // Neither message repaints; the caller decides when the change shows.
    InvalidateRect(view, &area, TRUE);
    std::printf("painted 0x%06lX into {%ld, %ld, %ld, %ld}\n", colour, area.left, area.top, area.right,
                area.bottom);
    std::fflush(stdout);
    pumpFor(holdMs);
    std::printf("StopDeskTopHook: %d\n", StopDeskTopHook());
    return 0;
}
