#pragma once
// One IPv4 TCP connection to the chat server, in blocking mode. close may come from any thread:
// it makes a pending readLine fail, and a socket once closed stays closed (a session never
// reconnects), so a close that lands during connect makes connect fail instead of leaving a
// connection nobody will close.
#include "IPipitSocket.h"
#include "LineCutter.h"

#include <winsock2.h>

#include <atomic>

class CPipitSocket : public IPipitSocket {
public:
    CPipitSocket() = default;
    ~CPipitSocket() override;
    CPipitSocket(const CPipitSocket&) = delete;
    CPipitSocket& operator=(const CPipitSocket&) = delete;

    bool connect(const std::string& host, std::uint16_t port) override;
    void close() override;
    bool isConnected() const override;
    void send(const std::string& line) override;
    std::string readLine() override;

    // The raw connection, INVALID_SOCKET when closed.
    SOCKET handle() const noexcept { return handle_.load(); }

private:
    static constexpr int SendBufferSize = 65536;
    static constexpr int ReceiveBufferSize = 65536;

    void connectOrThrow(const std::string& host, std::uint16_t port);
    [[noreturn]] void fail(TransportError error);

    std::atomic<SOCKET> handle_{INVALID_SOCKET};
    std::atomic<bool> closed_{false};
    LineCutter received_; // only readLine's thread touches it
};
