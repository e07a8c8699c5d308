#include "StandinShell.h"

#include <stdexcept>

#include "ScopedHandle.h"
#include "TestPaths.h"

StandinShell::StandinShell(const std::vector<std::wstring>& arguments)
{
    static unsigned started = 0;
    const std::wstring readyName = L"StandinShellReady-" + std::to_wstring(GetCurrentProcessId()) +
                                   L"-" + std::to_wstring(++started);
    const KernelHandle ready(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    std::wstring commandLine = quoteArgument(windowsPath(DESKTOP_SHELL_EXE)) + L" --ready " + readyName;
    std::wstring title = L"Program Manager";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        commandLine += L" " + quoteArgument(arguments[i]);
        if (arguments[i] == L"--title" && i + 1 < arguments.size())
            title = arguments[i + 1];
    }
    process_ = std::make_unique<ChildProcess>(commandLine, ChildProcess::Options{});
    const HANDLE waits[] = {ready.get(), process_->handle()};
    if (WaitForMultipleObjects(2, waits, FALSE, 20000) != WAIT_OBJECT_0)
        throw std::runtime_error("the stand-in desktop shell did not start");
    programManager_ = FindWindowW(L"ProgMan", title.c_str());
    if (!programManager_)
        throw std::runtime_error("the stand-in desktop shell has no ProgMan window");
}

LRESULT StandinShell::request(shell::Request request, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(programManager_, request, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result))
        throw std::runtime_error("the stand-in desktop shell does not answer");
    return static_cast<LRESULT>(result);
}

HWND StandinShell::view(shell::View which) const
{
    return reinterpret_cast<HWND>(request(shell::kGetView, which));
}

bool StandinShell::hasOwnProcedure(shell::View which) const
{
    return request(shell::kHasOwnProcedure, which) != 0;
}

bool StandinShell::render(shell::View which) const { return request(shell::kRender, which) != 0; }

COLORREF StandinShell::pixel(int x, int y) const
{
    return static_cast<COLORREF>(request(shell::kPixel, MAKEWPARAM(x, y)));
}

RECT StandinShell::takePaintedArea(shell::View which) const
{
    return shell::unpackArea(request(shell::kTakePaintedArea, which));
}

bool StandinShell::destroyView(shell::View which) const
{
    return request(shell::kDestroyView, which) != 0;
}

HWND StandinShell::createIconListView() const
{
    return reinterpret_cast<HWND>(request(shell::kCreateIconListView));
}

std::size_t StandinShell::gdiObjects() const
{
    return static_cast<std::size_t>(request(shell::kGdiObjects));
}

void StandinShell::setObserver(HWND observer) const
{
    request(shell::kSetObserver, reinterpret_cast<WPARAM>(observer));
}

void StandinShell::sendTakeOverSignal(shell::View which) const
{
    SendMessageW(view(which), WM_SYSCOMMAND, 0xFFF0, 0x8881);
}
