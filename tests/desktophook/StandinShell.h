#pragma once
// The stand-in desktop shell running as its own process, and the requests a test sends it.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "ShellProtocol.h"

class StandinShell {
public:
    // Arguments as for DesktopShell.exe; returns once the shell's windows exist.
    explicit StandinShell(const std::vector<std::wstring>& arguments = {});

    HWND programManager() const { return programManager_; }
    HWND view(shell::View which = shell::kIconListView) const;
    bool hasOwnProcedure(shell::View which = shell::kIconListView) const;
    // Renders the view's erased background in the shell; pixels are then read from that image.
    bool render(shell::View which = shell::kIconListView) const;
    COLORREF pixel(int x, int y) const;
    RECT takePaintedArea(shell::View which = shell::kIconListView) const;
    bool destroyView(shell::View which = shell::kIconListView) const;
    HWND createIconListView() const;
    std::size_t gdiObjects() const;
    void setObserver(HWND observer) const;
    // Sends the hook's install signal straight to the view: only a hook still in place reacts.
    void sendTakeOverSignal(shell::View which = shell::kIconListView) const;

private:
    LRESULT request(shell::Request request, WPARAM wParam = 0, LPARAM lParam = 0) const;

    std::unique_ptr<ChildProcess> process_;
    HWND programManager_ = nullptr;
};
