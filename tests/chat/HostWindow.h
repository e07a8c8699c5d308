#pragma once
// The host side of a chat test: a message-only window on a thread of its own with a message
// loop. Every chat message is read at the byte offsets the host relies on (not through the
// header's structs), then handed back to Yarnly_FreeMsg, as the player engine does.
#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "YarnlyLibrary.h"

struct HostEvent {
    UINT message = 0;
    LPARAM session = 0;
    WPARAM code = 0;            // the wParam of the messages without record
    std::size_t recordSize = 0; // the size of the record's heap block
    std::vector<std::string> texts;  // text fields in record order
    std::vector<int32_t> numbers;    // int32 fields in record order
    int flag = -1;                   // the flag byte, where there is one
    std::vector<std::string> items;  // text list
    std::vector<std::vector<std::string>> members;  // member entries, four texts each
};

class HostWindow {
public:
    // keepEvents false: only counts per message number (floods); `onRecord` sees each raw
    // record before it is freed.
    explicit HostWindow(const YarnlyLibrary& library, bool keepEvents = true,
                        std::function<void(UINT, const void*)> onRecord = {});
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND hwnd() const { return window_; }
    // The next event not yet taken with that message number (any session when `session` is 0).
    std::optional<HostEvent> take(UINT message, DWORD timeoutMs = 10000, LPARAM session = 0);
    std::vector<HostEvent> events() const;
    std::size_t count(UINT message) const;
    std::size_t total() const;
    bool waitForTotal(std::size_t total, DWORD timeoutMs) const;
    void clear();

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    void receive(UINT message, WPARAM wParam, LPARAM lParam);
    void loop();

    const YarnlyLibrary& library_;
    bool keepEvents_;
    std::function<void(UINT, const void*)> onRecord_;
    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<HostEvent> events_;
    std::map<UINT, std::size_t> counts_;
    std::size_t total_ = 0;
    std::thread thread_;
};
