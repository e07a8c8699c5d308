// Stand-in desktop shell: the "Program Manager" window with its icon view, run as a process of
// its own so that the desktop hook works across processes as it does on a real desktop.
//
//   DesktopShell.exe [--ready <event name>] [--title <text>] [--look-alike <class>]
//                    [--active-desktop] [--size <width>x<height>]
//
// --ready names an event the shell sets once its windows exist. It runs until it is ended.
#include <windows.h>
#include <shellapi.h>

#include <cwchar>
#include <string>

#include "ShellRequests.h"
#include "ShellWindows.h"
#include "ScopedHandle.h"

namespace {

struct Arguments {
    ShellOptions shell;
    std::wstring readyEvent;
    bool valid = true;
};

Arguments parseArguments()
{
    Arguments args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; argv && i < count; ++i) {
        const std::wstring option = argv[i];
        const wchar_t* value = i + 1 < count ? argv[i + 1] : nullptr;
        if (option == L"--active-desktop") {
            args.shell.activeDesktop = true;
            continue;
        }
        if (!value) {
            args.valid = false;
            break;
        }
        ++i;
        if (option == L"--ready")
            args.readyEvent = value;
        else if (option == L"--title")
            args.shell.title = value;
        else if (option == L"--look-alike")
            args.shell.lookAlikeClass = value;
        else if (option == L"--size")
            args.valid = std::swscanf(value, L"%dx%d", &args.shell.width, &args.shell.height) == 2;
        else
            args.valid = false;
    }
    LocalFree(argv);
    return args;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    const Arguments args = parseArguments();
    if (!args.valid)
        return 2;
    ShellWindows windows = createShellWindows(args.shell, ProgramManagerProc);
    if (!windows.iconListView || (args.shell.activeDesktop && !windows.activeDesktopView) ||
        !prepareShellRequests(windows, args.shell))
        return 1;
    if (!args.readyEvent.empty()) {
        const KernelHandle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, args.readyEvent.c_str()));
        if (!ready || !SetEvent(ready.get()))
            return 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
