#pragma once
// Cuts LF-terminated lines out of the bytes a connection delivers, so that one receive call can
// bring in whatever has arrived. A line: the bytes before the LF, one CR before the LF removed,
// cut at its first NUL; at most MaxLineBytes bytes may precede the LF.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

class LineCutter {
public:
    static constexpr std::size_t MaxLineBytes = 8190;

    enum class Result { Line, NeedMore, TooLong };

    explicit LineCutter(std::size_t capacity = 64 * 1024);

    // Line: the next line is in line. NeedMore: receive into freeSpace() and commit. TooLong:
    // the line in progress broke the limit.
    Result next(std::string& line);

    // Never empty after next() returned NeedMore.
    std::span<char> freeSpace();
    void commit(std::size_t received);

    void clear() noexcept;

private:
    std::vector<char> buffer_;
    std::size_t begin_ = 0;   // first byte of the line in progress
    std::size_t scanned_ = 0; // bytes from begin_ already known to hold no LF
    std::size_t end_ = 0;     // one past the last received byte
};
