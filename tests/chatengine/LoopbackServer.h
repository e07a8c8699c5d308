#pragma once
// The server end of real loopback connections for the transport and service tests: listens on
// 127.0.0.1 at a free port; each accepted connection is driven by the test's own code.
#include "SocketHandle.h"

#include <cstdint>
#include <string>

// Winsock for the test program: the host starts it, never the engine.
class WinsockSession {
public:
    WinsockSession();
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
};

class LoopbackServer {
public:
    LoopbackServer();
    std::uint16_t port() const { return port_; }
    SocketHandle accept();

private:
    SocketHandle listener_;
    std::uint16_t port_ = 0;
};

// Server-side helpers on an accepted connection.
bool sendAll(SOCKET s, const std::string& bytes);
// One line without its LF; empty with ok false when the peer closed first.
std::string receiveLine(SOCKET s, bool& ok);
// Waits until the peer has closed its end (receive returns 0 or fails).
void waitForPeerClose(SOCKET s);
