#include "LineCutter.h"

#include <cstring>

LineCutter::LineCutter(std::size_t capacity) : buffer_(capacity) {}

LineCutter::Result LineCutter::next(std::string& line)
{
    const char* start = buffer_.data() + begin_;
    const std::size_t pending = end_ - begin_;
    const void* lf = std::memchr(start + scanned_, '\n', pending - scanned_);
    if (!lf) {
        scanned_ = pending;
        // MaxLineBytes + 1 bytes may be stored; any byte after them, even an LF, is too many.
        return pending > MaxLineBytes + 1 ? Result::TooLong : Result::NeedMore;
    }
    std::size_t length = static_cast<const char*>(lf) - start;
    if (length > MaxLineBytes)
        return Result::TooLong;
    begin_ += length + 1;
    scanned_ = 0;
    if (length > 0 && start[length - 1] == '\r')
        --length;
    const void* nul = std::memchr(start, '\0', length);
    line.assign(start, nul ? static_cast<const char*>(nul) - start : length);
    return Result::Line;
}

std::span<char> LineCutter::freeSpace()
{
    if (end_ == buffer_.size()) {
        // The line in progress is shorter than the limit, so moving it down frees most of the
        // buffer.
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    return std::span<char>(buffer_.data() + end_, buffer_.size() - end_);
}

void LineCutter::commit(std::size_t received) { end_ += received; }

void LineCutter::clear() noexcept { begin_ = scanned_ = end_ = 0; }
