#include "ShellRequests.h"

#include "GdiObject.h"
#include "GdiObjectCount.h"
#include "ShellProtocol.h"
#include "ViewRecorder.h"

namespace {

ShellWindows* shellWindows = nullptr;
const ShellOptions* shellOptions = nullptr;

// The render target lives as long as the shell, so that rendering adds no GDI object.
MemoryDc renderDc;
GdiObject renderBitmap;

HWND view(WPARAM which)
{
    return which == shell::kActiveDesktopView ? shellWindows->activeDesktopView
                                              : shellWindows->iconListView;
}

// What the view's erase draws, through the view's own window procedure (whoever that is now).
LRESULT render(HWND target)
{
    PatBlt(renderDc.get(), 0, 0, shellOptions->width, shellOptions->height, WHITENESS);
    SendMessageW(target, WM_PRINT, reinterpret_cast<WPARAM>(renderDc.get()), PRF_ERASEBKGND);
    GdiFlush();
    return 1;
}

}  // namespace

bool prepareShellRequests(ShellWindows& windows, const ShellOptions& options)
{
    shellWindows = &windows;
    shellOptions = &options;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), options.width, -options.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    renderDc.reset(CreateCompatibleDC(nullptr));
    renderBitmap.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    return renderDc && renderBitmap && SelectObject(renderDc.get(), renderBitmap.get());
}

LRESULT CALLBACK ProgramManagerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case shell::kSetObserver:
        setViewObserver(reinterpret_cast<HWND>(wParam));
        return 0;
    case shell::kGetView:
        return reinterpret_cast<LRESULT>(view(wParam));
    case shell::kHasOwnProcedure:
        return viewHasOwnProcedure(view(wParam));
    case shell::kRender:
        return render(view(wParam));
    case shell::kPixel:
        return GetPixel(renderDc.get(), LOWORD(wParam), HIWORD(wParam));
    case shell::kTakePaintedArea:
        return shell::packArea(takePaintedArea(view(wParam)));
    case shell::kDestroyView:
        return DestroyWindow(view(wParam));
    case shell::kCreateIconListView:
        shellWindows->iconListView = createIconListView(shellWindows->folderView, *shellOptions);
        return reinterpret_cast<LRESULT>(shellWindows->iconListView);
    case shell::kGdiObjects:
        return static_cast<LRESULT>(gdiObjectCount());
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
