#include "CPipitSocket.h"

#include "SocketHandle.h"

#include <ws2tcpip.h>

#include <cstring>
#include <memory>

namespace {

struct AddrInfoDeleter {
    void operator()(addrinfo* info) const noexcept { freeaddrinfo(info); }
};

// A dotted IPv4 address as it is, or the first IPv4 address the name resolves to.
in_addr resolve(const std::string& host)
{
    in_addr address{};
    if (inet_pton(AF_INET, host.c_str(), &address) == 1)
        return address;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        throw int{ConnectFailed};
    const std::unique_ptr<addrinfo, AddrInfoDeleter> answer(found);
    return reinterpret_cast<const sockaddr_in*>(answer->ai_addr)->sin_addr;
}

} // namespace

CPipitSocket::~CPipitSocket()
{
    // The owner closes first; this only keeps a forgotten connection from leaking.
    close();
}

bool CPipitSocket::connect(const std::string& host, std::uint16_t port)
{
    try {
        connectOrThrow(host.substr(0, host.find('\0')), port);
    } catch (...) {
        // Nothing is reported from here: the caller learns it from the result.
    }
    return isConnected();
}

void CPipitSocket::connectOrThrow(const std::string& host, std::uint16_t port)
{
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_addr = resolve(host);
    server.sin_port = htons(port);

    SocketHandle created(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!created)
        throw int{ConnectFailed};
    // Failures of the buffer sizes are harmless: the defaults work too.
    setsockopt(created.get(), SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&SendBufferSize),
               sizeof SendBufferSize);
    setsockopt(created.get(), SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&ReceiveBufferSize),
               sizeof ReceiveBufferSize);

    // Published before the blocking connect, so that close from another thread can end it.
    const SOCKET s = created.release();
    handle_.store(s);
    if (closed_.load()) {
        close();
        throw int{ConnectFailed};
    }
    if (::connect(s, reinterpret_cast<const sockaddr*>(&server), sizeof server) == SOCKET_ERROR)
        fail(ConnectFailed);
}

void CPipitSocket::close()
{
    closed_.store(true);
    const SOCKET s = handle_.exchange(INVALID_SOCKET);
    if (s != INVALID_SOCKET)
        closesocket(s);
}

bool CPipitSocket::isConnected() const { return handle_.load() != INVALID_SOCKET; }

void CPipitSocket::fail(TransportError error)
{
    close();
    throw int{error};
}

void CPipitSocket::send(const std::string& line)
{
    const std::size_t length = std::strlen(line.c_str());
    const SOCKET s = handle_.load();
    if (length == 0 || s == INVALID_SOCKET)
        fail(SendFailed);
    std::size_t sent = 0;
    while (sent < length) {
        const int n = ::send(s, line.data() + sent, static_cast<int>(length - sent), 0);
        if (n == SOCKET_ERROR)
            fail(SendFailed);
        sent += static_cast<std::size_t>(n);
    }
}

std::string CPipitSocket::readLine()
{
    const SOCKET s = handle_.load();
    std::string line;
    for (;;) {
        const LineCutter::Result result = received_.next(line);
        if (result == LineCutter::Result::Line)
            return line;
        // Checked before every receive: a closed handle's value may already belong to another
        // socket.
        if (result == LineCutter::Result::TooLong || s == INVALID_SOCKET || handle_.load() != s)
            break;
        const std::span<char> space = received_.freeSpace();
        const int n = ::recv(s, space.data(), static_cast<int>(space.size()), 0);
        if (n <= 0)
            break;
        received_.commit(static_cast<std::size_t>(n));
    }
    received_.clear();
    fail(ReceiveFailed);
}
