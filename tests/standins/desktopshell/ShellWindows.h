#pragma once
// The windows of the stand-in desktop shell: "ProgMan" titled as asked, a folder-view child and
// under it the icon list view (a common-controls list view, or a look-alike class) and, when
// asked, the active-desktop view.
#include <windows.h>

#include <string>

struct ShellOptions {
    std::wstring title = L"Program Manager";
    std::wstring lookAlikeClass;  // empty: a real "SysListView32"
    bool activeDesktop = false;
    int width = 800;
    int height = 600;
};

struct ShellWindows {
    HWND programManager = nullptr;
    HWND folderView = nullptr;
    HWND iconListView = nullptr;
    HWND activeDesktopView = nullptr;
};

// Null members when a window could not be made.
ShellWindows createShellWindows(const ShellOptions& options, WNDPROC programManagerProc);
HWND createIconListView(HWND folderView, const ShellOptions& options);
