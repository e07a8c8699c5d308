#pragma once
// Finds a message box that another process (or this one) shows, reads it and presses a button.
#include <windows.h>

#include <optional>
#include <string>

struct MessageBoxSeen {
    HWND window;
    std::wstring caption;
    std::wstring text;
    bool hasIconError;  // the stop/error icon is shown
};

// Waits up to `timeoutMs` for a dialog window owned by process `processId`.
std::optional<MessageBoxSeen> waitForMessageBox(DWORD processId, DWORD timeoutMs);
// Presses the button with `buttonId` (IDOK by default) and waits until the box has gone.
bool dismissMessageBox(const MessageBoxSeen& box, int buttonId = IDOK);
