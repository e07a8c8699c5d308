#pragma once
// A listening socket on 127.0.0.1 and accepted connections that read and write whole lines.
#include <winsock2.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "SocketHandle.h"

// Makes sure Winsock is started for the stand-ins of this process.
void startWinsock();

class LineConnection {
public:
    explicit LineConnection(SOCKET s) : socket_(s) {}

    // The next line without LF (and one CR before it); nothing when the peer closed, the
    // connection failed, or `timeoutMs` passed (INFINITE: no limit).
    std::optional<std::string> readLine(DWORD timeoutMs = INFINITE);
    // Bytes until the headers' blank line, for HTTP.
    std::optional<std::string> readUntil(const std::string& terminator, DWORD timeoutMs);
    bool send(const std::string& bytes);
    // Half-closes, so the peer sees the end of the data, then closes.
    void close();
    // From another thread: wakes a pending read, which then fails; the reader still closes.
    void abort() { shutdown(socket_.get(), SD_BOTH); }
    SOCKET handle() const { return socket_.get(); }

private:
    bool fill(DWORD timeoutMs);

    SocketHandle socket_;
    std::string buffer_;
};

class LoopbackListener {
public:
    explicit LoopbackListener(uint16_t port = 0);  // 0: any free port; throws on failure
    uint16_t port() const { return port_; }
    // Nothing after `timeoutMs` or once closed.
    std::unique_ptr<LineConnection> accept(DWORD timeoutMs = INFINITE);
    void close() { socket_.reset(); }

private:
    SocketHandle socket_;
    uint16_t port_ = 0;
};
