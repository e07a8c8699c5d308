#include "NotifyWindow.h"

#include <stdexcept>

namespace {
constexpr wchar_t kClassName[] = L"DesktopHookTest.NotifyWindow";
}

NotifyWindow::NotifyWindow()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    window_ = CreateWindowExW(0, kClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (!window_)
        throw std::runtime_error("no notification window");
}

NotifyWindow::~NotifyWindow() { DestroyWindow(window_); }

LRESULT CALLBACK NotifyWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<NotifyWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message >= WM_USER)
        self->received_.push_back({message, wParam, lParam});
    return DefWindowProcW(window, message, wParam, lParam);
}

const std::vector<PostedMessage>& NotifyWindow::drain()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
    return received_;
}

const std::vector<PostedMessage>& NotifyWindow::waitFor(std::size_t count, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (drain().size() < count && GetTickCount64() < deadline)
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    return received_;
}
