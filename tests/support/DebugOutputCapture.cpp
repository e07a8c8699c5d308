#include "DebugOutputCapture.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>
#include <thread>

namespace {
constexpr DWORD kDebugPrintException = 0x40010006;  // DBG_PRINTEXCEPTION_C
std::atomic<DebugOutputCapture*> g_active{nullptr};
}  // namespace

struct DebugOutputCaptureAccess {
    static LONG CALLBACK onException(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        DebugOutputCapture* capture = g_active.load();
        if (capture && record->ExceptionCode == kDebugPrintException && record->NumberParameters >= 2) {
            const auto length = static_cast<std::size_t>(record->ExceptionInformation[0]);
            const auto* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
            // The length counts the terminating NUL.
            capture->add(std::string(text, length ? length - 1 : 0));
        }
        return EXCEPTION_CONTINUE_SEARCH;
    }
};

DebugOutputCapture::DebugOutputCapture()
{
    DebugOutputCapture* expected = nullptr;
    if (!g_active.compare_exchange_strong(expected, this))
        throw std::logic_error("one DebugOutputCapture at a time");
    handler_ = AddVectoredExceptionHandler(1, &DebugOutputCaptureAccess::onException);
}

DebugOutputCapture::~DebugOutputCapture()
{
    RemoveVectoredExceptionHandler(handler_);
    g_active.store(nullptr);
}

void DebugOutputCapture::add(std::string line)
{
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
}

std::vector<std::string> DebugOutputCapture::lines() const
{
    std::lock_guard lock(mutex_);
    return lines_;
}

bool DebugOutputCapture::contains(const std::string& line) const
{
    std::lock_guard lock(mutex_);
    return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
}

bool DebugOutputCapture::waitFor(const std::string& line, std::chrono::milliseconds timeout) const
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!contains(line)) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void DebugOutputCapture::clear()
{
    std::lock_guard lock(mutex_);
    lines_.clear();
}
