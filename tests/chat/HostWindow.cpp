#include "HostWindow.h"

#include <cstring>
#include <malloc.h>
#include <stdexcept>

namespace {

enum class Kind { Text, Int, Flag, TextList, MemberList };
struct Field {
    std::size_t offset;
    Kind kind;
};

// The layouts the host relies on, byte by byte. A list field is preceded by its int32 count.
const std::map<UINT, std::vector<Field>>& layouts()
{
    using K = Kind;
    static const std::map<UINT, std::vector<Field>> table = {
        {CHATMSG_KICK, {{0, K::Text}, {8, K::Text}, {16, K::Text}}},
        {CHATMSG_PART, {{0, K::Int}, {4, K::Text}}},
        {CHATMSG_JOIN, {{0, K::Int}, {4, K::Text}, {12, K::Text}, {20, K::Text}, {28, K::Text}, {36, K::Flag}}},
        {CHATMSG_MSG, {{0, K::Text}, {8, K::Text}, {16, K::Text}}},
        {CHATMSG_SET, {{0, K::Text}, {8, K::Text}, {16, K::Text}, {24, K::Text}}},
        {CHATMSG_PERM, {{0, K::Text}, {8, K::Text}, {16, K::Text}, {24, K::Text}, {32, K::Text}}},
        {CHATMSG_SYSMSG, {{0, K::Text}}},
        {CHATMSG_REPORT,
         {{0, K::Text}, {8, K::Text}, {16, K::Text}, {24, K::Text}, {32, K::Text}, {40, K::Int}, {44, K::TextList}}},
        {CHATMSG_KICK_EX, {{0, K::Text}, {8, K::Text}, {16, K::Text}, {24, K::Text}}},
        {CHATMSG_PERM_EX, {{0, K::Text}, {8, K::Text}, {16, K::Text}, {24, K::Text}, {32, K::Text}, {40, K::Text}}},
        {CHATMSG_REPORT_EX,
         {{0, K::Text}, {8, K::Text}, {16, K::Text}, {24, K::Text}, {32, K::Text}, {40, K::Text}, {48, K::Text},
          {56, K::Text}, {64, K::Int}, {68, K::TextList}}},
        {CHATMSG_NICK_EX, {{0, K::Text}, {8, K::Text}, {16, K::Text}, {24, K::Text}, {32, K::Text}, {40, K::Text}}},
        {CHATMSG_USER,
         {{0, K::Int}, {4, K::Int}, {8, K::Text}, {16, K::Text}, {24, K::Text}, {32, K::Text}, {40, K::Text},
          {48, K::Text}, {56, K::Int}, {60, K::MemberList}}},
        {CHATMSG_WHO, {{0, K::Int}, {4, K::MemberList}}},
        {CHATMSG_GET, {{0, K::Text}, {8, K::Text}, {16, K::Text}}},
        {CHATMSG_SET_REPLY, {{0, K::Text}}},
    };
    return table;
}

template <class T>
T readAt(const void* block, std::size_t offset)
{
    T value;
    std::memcpy(&value, static_cast<const char*>(block) + offset, sizeof value);
    return value;
}

std::string textAt(const void* block, std::size_t offset)
{
    const char* text = readAt<const char*>(block, offset);
    return text ? std::string(text) : std::string("<null>");
}

void decode(const void* record, const std::vector<Field>& fields, HostEvent& event)
{
    event.recordSize = _msize(const_cast<void*>(record));
    for (const Field& f : fields) {
        switch (f.kind) {
        case Kind::Text: event.texts.push_back(textAt(record, f.offset)); break;
        case Kind::Int: event.numbers.push_back(readAt<int32_t>(record, f.offset)); break;
        case Kind::Flag: event.flag = readAt<uint8_t>(record, f.offset); break;
        case Kind::TextList: {
            const auto count = readAt<int32_t>(record, f.offset - 4);
            const auto items = readAt<const char* const*>(record, f.offset);
            for (int32_t i = 0; i < count; ++i)
                event.items.emplace_back(items[i]);
            break;
        }
        case Kind::MemberList: {
            const auto count = readAt<int32_t>(record, f.offset - 4);
            const auto entries = readAt<const void* const*>(record, f.offset);
            for (int32_t i = 0; i < count; ++i)
                event.members.push_back({textAt(entries[i], 0), textAt(entries[i], 8), textAt(entries[i], 16),
                                         textAt(entries[i], 24)});
            break;
        }
        }
    }
}

constexpr UINT kFirstChatMessage = 10025;
constexpr UINT kLastChatMessage = 10324;

}  // namespace

HostWindow::HostWindow(const YarnlyLibrary& library, bool keepEvents, std::function<void(UINT, const void*)> onRecord)
    : library_(library), keepEvents_(keepEvents), onRecord_(std::move(onRecord))
{
    std::mutex ready;
    std::condition_variable created;
    bool done = false;
    thread_ = std::thread([&] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = &HostWindow::procedure;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"YarnlyTestHost";
        RegisterClassW(&wc);
        HWND window = CreateWindowExW(0, L"YarnlyTestHost", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      wc.hInstance, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        {
            std::lock_guard lock(ready);
            window_ = window;
            threadId_ = GetCurrentThreadId();
            done = true;
        }
        created.notify_all();
        if (window)
            loop();
    });
    std::unique_lock lock(ready);
    created.wait(lock, [&] { return done; });
    if (!window_) {
        lock.unlock();
        thread_.join();
        throw std::runtime_error("cannot create the host window");
    }
}

HostWindow::~HostWindow()
{
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void HostWindow::loop()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    // Records still queued belong to the host too.
    while (PeekMessageW(&msg, window_, kFirstChatMessage, kLastChatMessage, PM_REMOVE))
        DispatchMessageW(&msg);
    DestroyWindow(window_);
}

LRESULT CALLBACK HostWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= kFirstChatMessage && message <= kLastChatMessage) {
        if (auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
            self->receive(message, wParam, lParam);
            return 0;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void HostWindow::receive(UINT message, WPARAM wParam, LPARAM lParam)
{
    HostEvent event;
    event.message = message;
    event.session = lParam;
    const auto layout = layouts().find(message);
    if (layout == layouts().end()) {
        event.code = wParam;
    } else {
        const void* record = reinterpret_cast<const void*>(wParam);
        if (onRecord_)
            onRecord_(message, record);
        if (keepEvents_)
            decode(record, layout->second, event);
        library_.freeMsg(message, reinterpret_cast<void*>(wParam));
    }
    {
        std::lock_guard lock(mutex_);
        ++counts_[message];
        ++total_;
        if (keepEvents_)
            events_.push_back(std::move(event));
    }
    changed_.notify_all();
}

std::optional<HostEvent> HostWindow::take(UINT message, DWORD timeoutMs, LPARAM session)
{
    std::unique_lock lock(mutex_);
    std::optional<HostEvent> found;
    changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        for (auto it = events_.begin(); it != events_.end(); ++it) {
            if (it->message == message && (session == 0 || it->session == session)) {
                found = std::move(*it);
                events_.erase(it);
                return true;
            }
        }
        return false;
    });
    return found;
}

std::vector<HostEvent> HostWindow::events() const
{
    std::lock_guard lock(mutex_);
    return events_;
}

std::size_t HostWindow::count(UINT message) const
{
    std::lock_guard lock(mutex_);
    const auto it = counts_.find(message);
    return it == counts_.end() ? 0 : it->second;
}

std::size_t HostWindow::total() const
{
    std::lock_guard lock(mutex_);
    return total_;
}

bool HostWindow::waitForTotal(std::size_t total, DWORD timeoutMs) const
{
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return total_ >= total; });
}

void HostWindow::clear()
{
    std::lock_guard lock(mutex_);
    events_.clear();
    counts_.clear();
    total_ = 0;
}
