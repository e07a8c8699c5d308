#pragma once
#include <windows.h>

// Looks under Program Manager for the active-desktop view, then for the icon list view, and
// stores the first match in DesktopView (null when there is none).
HWND FindDesktopView();

// EnumChildWindows callback; lParam is the kind of view wanted (ViewKind).
BOOL CALLBACK MatchViewClass(HWND window, LPARAM kind);
