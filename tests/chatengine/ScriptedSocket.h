#pragma once
// A transport without a network: readLine hands out scripted lines and then fails as a peer
// close does; send writes down the lines, or fails on a closed socket as the real one does.
#include "IPipitLock.h"
#include "IPipitSocket.h"

#include <deque>
#include <mutex>
#include <string>
#include <vector>

class ScriptedSocket : public IPipitSocket {
public:
    explicit ScriptedSocket(std::deque<std::string> lines = {}) : lines_(std::move(lines)) {}

    bool connect(const std::string&, std::uint16_t) override { return connected_ = true; }
    void close() override { connected_ = false; }
    bool isConnected() const override { return connected_; }
    void send(const std::string& line) override
    {
        if (!connected_)
            throw int{SendFailed};
        sent.push_back(line);
    }
    std::string readLine() override
    {
        if (!connected_ || lines_.empty()) {
            connected_ = false;
            throw int{ReceiveFailed};
        }
        std::string line = std::move(lines_.front());
        lines_.pop_front();
        return line;
    }

    std::vector<std::string> sent;

private:
    std::deque<std::string> lines_;
    bool connected_ = false;
};

class RecursiveLock : public IPipitLock {
public:
    void lock() override { mutex_.lock(); }
    void unlock() override { mutex_.unlock(); }

private:
    std::recursive_mutex mutex_;
};
