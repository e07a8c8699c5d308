#pragma once
// Captures what the code under test writes with OutputDebugStringA, from every thread of this
// process, while an instance lives. One instance at a time.
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    // Every string written so far, in order, as written (a trailing newline is kept).
    std::vector<std::string> lines() const;
    bool contains(const std::string& line) const;
    // Waits until `line` has been written; false after `timeout`.
    bool waitFor(const std::string& line, std::chrono::milliseconds timeout) const;
    void clear();

private:
    friend struct DebugOutputCaptureAccess;
    void add(std::string line);

    mutable std::mutex mutex_;
    std::vector<std::string> lines_;
    void* handler_;
};
