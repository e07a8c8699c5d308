#include "LoopbackServer.h"

#include <ws2tcpip.h>

#include <stdexcept>

WinsockSession::WinsockSession()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        throw std::runtime_error("WSAStartup failed");
}

WinsockSession::~WinsockSession() { WSACleanup(); }

LoopbackServer::LoopbackServer() : listener_(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP))
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    if (!listener_ || bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_.get(), 4) != 0 ||
        getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("loopback listener failed");
    port_ = ntohs(address.sin_port);
}

SocketHandle LoopbackServer::accept()
{
    SocketHandle connection(::accept(listener_.get(), nullptr, nullptr));
    const BOOL noDelay = TRUE;
    setsockopt(connection.get(), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
    return connection;
}

bool sendAll(SOCKET s, const std::string& bytes)
{
    for (std::size_t sent = 0; sent < bytes.size();) {
        const int n = ::send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

std::string receiveLine(SOCKET s, bool& ok)
{
    std::string line;
    char c;
    while (::recv(s, &c, 1, 0) == 1) {
        if (c == '\n') {
            ok = true;
            return line;
        }
        line += c;
    }
    ok = false;
    return line;
}

void waitForPeerClose(SOCKET s)
{
    char buffer[256];
    while (::recv(s, buffer, sizeof buffer, 0) > 0) {
    }
}
