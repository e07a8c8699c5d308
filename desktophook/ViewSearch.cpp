#include "ViewSearch.h"

#include <cstring>

#include "HookState.h"

namespace {

enum ViewKind : LPARAM { kIconListView = 1, kActiveDesktopView = 2 };

const char* wantedClass(LPARAM kind)
{
    switch (kind) {
    case kIconListView:
        return "SysListView32";
    case kActiveDesktopView:
        return "Internet Explorer_Server";
    default:
        return nullptr;
    }
}

void searchUnderProgramManager(ViewKind kind)
{
    // Without a parent EnumChildWindows would walk every window on the desktop.
    if (HWND programManager = FindWindowA("ProgMan", "Program Manager"))
        EnumChildWindows(programManager, MatchViewClass, kind);
}

}  // namespace

BOOL CALLBACK MatchViewClass(HWND window, LPARAM kind)
{
    const char* wanted = wantedClass(kind);
    if (!wanted)
        return TRUE;
    char name[100] = {};
    GetClassNameA(window, name, sizeof name);
    // Case counts: a look-alike class is not the shell's view.
    if (std::strcmp(name, wanted) != 0)
        return TRUE;
    DesktopView = window;
    return FALSE;
}

HWND FindDesktopView()
{
    DesktopView = nullptr;
    searchUnderProgramManager(kActiveDesktopView);
    if (!DesktopView)
        searchUnderProgramManager(kIconListView);
    return DesktopView;
}
