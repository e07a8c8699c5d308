#pragma once
// The "ProgMan" window procedure: answers the test's requests about the shell's views.
#include <windows.h>

#include "ShellWindows.h"

// Must be called once the windows exist and before messages are pumped.
bool prepareShellRequests(ShellWindows& windows, const ShellOptions& options);
LRESULT CALLBACK ProgramManagerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
