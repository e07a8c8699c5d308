#pragma once
// A window of the test's own that collects the messages posted to it: the hook's notifications
// and the stand-in shell's view events, in the order they arrive.
#include <windows.h>

#include <vector>

struct PostedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const PostedMessage&) const = default;
};

class NotifyWindow {
public:
    NotifyWindow();
    ~NotifyWindow();
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;

    HWND handle() const { return window_; }
    // Pumps until `count` messages have arrived or `timeoutMs` has passed; all that arrived.
    const std::vector<PostedMessage>& waitFor(std::size_t count, DWORD timeoutMs = 5000);
    // Pumps what is queued now.
    const std::vector<PostedMessage>& drain();

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::vector<PostedMessage> received_;
};
