#include "MessageBoxProbe.h"

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (owner == search->processId && lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring windowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

}  // namespace

std::optional<MessageBoxSeen> waitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        Search search{processId, nullptr};
        EnumWindows(findDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            // A message box keeps its text in the static control 0xFFFF and its icon in 0x14.
            MessageBoxSeen box{search.found, windowText(search.found), {}, false};
            if (HWND text = GetDlgItem(search.found, 0xFFFF))
                box.text = windowText(text);
            if (HWND icon = GetDlgItem(search.found, 0x14))
                box.hasIconError = SendMessageW(icon, STM_GETICON, 0, 0) ==
                                   reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_HAND));
            return box;
        }
        Sleep(20);
    } while (GetTickCount64() < deadline);
    return std::nullopt;
}

bool dismissMessageBox(const MessageBoxSeen& box, int buttonId)
{
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.window, buttonId)));
    for (int i = 0; i < 250 && IsWindow(box.window); ++i)
        Sleep(20);
    return !IsWindow(box.window);
}
