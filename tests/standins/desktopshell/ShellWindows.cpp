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

template <class Function>
Function commonControl(const char* name)
{
    const HMODULE comctl = GetModuleHandleW(L"comctl32.dll");
    return comctl ? reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(comctl, name)))
                  : nullptr;
}

// comctl32 is loaded only for a real list view: it registers "SysListView32" when it loads, and
// a look-alike class in another letter case could not be registered beside it.
bool loadListViewClass()
{
    if (!LoadLibraryW(L"comctl32.dll"))
        return false;
    const auto init = commonControl<BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*)>("InitCommonControlsEx");
    const INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    return init && init(&icc);
}

// The background the tests read, and a few icons drawn over it as on a desktop.
void dressAsDesktop(HWND listView)
{
    SendMessageW(listView, LVM_SETBKCOLOR, 0, shell::kIconListBackground);
    SendMessageW(listView, LVM_SETTEXTBKCOLOR, 0, CLR_NONE);
    SendMessageW(listView, LVM_SETTEXTCOLOR, 0, RGB(255, 255, 255));
    const auto create = commonControl<HIMAGELIST(WINAPI*)(int, int, UINT, int, int)>("ImageList_Create");
    const auto addIcon = commonControl<int(WINAPI*)(HIMAGELIST, int, HICON)>("ImageList_ReplaceIcon");
    if (!create || !addIcon)
        return;
    // The list view destroys the image list with itself.
    const HIMAGELIST icons = create(32, 32, ILC_COLOR32 | ILC_MASK, 3, 0);
    const struct {
        const wchar_t* label;
        LPCWSTR icon;
    } items[] = {{L"Music", IDI_APPLICATION}, {L"Videos", IDI_INFORMATION}, {L"Playlists", IDI_WARNING}};
    SendMessageW(listView, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(icons));
    for (int i = 0; i < 3; ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(items[i].label);
        item.iImage = addIcon(icons, -1, LoadIconW(nullptr, items[i].icon));
        SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
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
        dressAsDesktop(view);
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
