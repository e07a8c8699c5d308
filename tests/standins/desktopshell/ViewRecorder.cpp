#include "ViewRecorder.h"

#include <map>

#include "ShellProtocol.h"

namespace {

constexpr wchar_t kPreviousProcedure[] = L"StandinShell.PreviousProcedure";

HWND observer = nullptr;
std::map<HWND, RECT> paintedAreas;

void notifyObserver(UINT event, WPARAM wParam, LPARAM lParam)
{
    if (observer)
        PostMessageW(observer, event, wParam, lParam);
}

LRESULT CALLBACK ViewRecorderProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(view, kPreviousProcedure));
    switch (message) {
    case WM_PAINT: {
        RECT update;
        if (GetUpdateRect(view, &update, FALSE)) {
            RECT& painted = paintedAreas[view];
            UnionRect(&painted, &painted, &update);
        }
        break;
    }
    case WM_KEYDOWN:
        notifyObserver(shell::kViewKeyDown, wParam, lParam);
        break;
    case WM_DESTROY:
        notifyObserver(shell::kViewDestroy, 0, 0);
        break;
    case WM_NCDESTROY:
        RemovePropW(view, kPreviousProcedure);
        paintedAreas.erase(view);
        break;
    }
    return CallWindowProcW(previous, view, message, wParam, lParam);
}

}  // namespace

void installViewRecorder(HWND view)
{
    SetPropW(view, kPreviousProcedure,
             reinterpret_cast<HANDLE>(SetWindowLongPtrW(view, GWLP_WNDPROC,
                                                        reinterpret_cast<LONG_PTR>(ViewRecorderProc))));
}

void setViewObserver(HWND window) { observer = window; }

bool viewHasOwnProcedure(HWND view)
{
    return GetWindowLongPtrW(view, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(ViewRecorderProc);
}

RECT takePaintedArea(HWND view)
{
    UpdateWindow(view);
    const RECT painted = paintedAreas[view];
    paintedAreas[view] = {};
    return painted;
}
