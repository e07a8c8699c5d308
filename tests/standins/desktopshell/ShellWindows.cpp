#include "ShellWindows.h"

#include <commctrl.h>

#include "ShellProtocol.h"
#include "ViewRecorder.h"

namespace {

bool registerClass(const wchar_t* name, WNDPROC proc, COLORREF background)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = name;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // Lives as long as the class, which is the shell's lifetime.
    wc.hbrBackground = background == CLR_NONE ? nullptr : CreateSolidBrush(background);
    return RegisterClassW(&wc) != 0;
}

// comctl32 is loaded only for a real list view: it registers "SysListView32" when it loads, and
// a look-alike class in another letter case could not be registered beside it.
bool loadListViewClass()
{
    const HMODULE comctl = LoadLibraryW(L"comctl32.dll");
    using InitCommonControlsExProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = comctl ? reinterpret_cast<InitCommonControlsExProc>(reinterpret_cast<void (*)()>(
                                   GetProcAddress(comctl, "InitCommonControlsEx")))
                             : nullptr;
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    return init && init(&icc);
}

HWND createView(const wchar_t* className, HWND parent, const ShellOptions& options)
{
    HWND view = CreateWindowExW(0, className, L"FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON, 0, 0,
                                options.width, options.height, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    if (view)
        installViewRecorder(view);
    return view;
}

}  // namespace

HWND createIconListView(HWND folderView, const ShellOptions& options)
{
    if (!options.lookAlikeClass.empty())
        return createView(options.lookAlikeClass.c_str(), folderView, options);
    HWND view = createView(WC_LISTVIEWW, folderView, options);
    if (view)
        SendMessageW(view, LVM_SETBKCOLOR, 0, shell::kIconListBackground);
    return view;
}

ShellWindows createShellWindows(const ShellOptions& options, WNDPROC programManagerProc)
{
    ShellWindows windows;
    if (!registerClass(L"ProgMan", programManagerProc, CLR_NONE) ||
        !registerClass(L"SHELLDLL_DefView", DefWindowProcW, CLR_NONE))
        return windows;
    if (options.lookAlikeClass.empty() ? !loadListViewClass()
                                       : !registerClass(options.lookAlikeClass.c_str(), DefWindowProcW,
                                                        shell::kIconListBackground))
        return windows;
    if (options.activeDesktop &&
        !registerClass(L"Internet Explorer_Server", DefWindowProcW, shell::kActiveDesktopBackground))
        return windows;

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    windows.programManager = CreateWindowExW(0, L"ProgMan", options.title.c_str(),
                                             WS_POPUP | WS_CLIPCHILDREN, 0, 0, options.width,
                                             options.height, nullptr, nullptr, instance, nullptr);
    windows.folderView = CreateWindowExW(0, L"SHELLDLL_DefView", L"", WS_CHILD | WS_VISIBLE, 0, 0,
                                         options.width, options.height, windows.programManager,
                                         nullptr, instance, nullptr);
    windows.iconListView = createIconListView(windows.folderView, options);
    if (options.activeDesktop)
        windows.activeDesktopView = createView(L"Internet Explorer_Server", windows.folderView, options);
    ShowWindow(windows.programManager, SW_SHOWNOACTIVATE);
    UpdateWindow(windows.programManager);
    return windows;
}
