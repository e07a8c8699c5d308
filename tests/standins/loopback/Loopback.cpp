#include "Loopback.h"

#include <ws2tcpip.h>

#include <mutex>
#include <stdexcept>

void startWinsock()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
            throw std::runtime_error("WSAStartup failed");
    });
}

namespace {

bool waitReadable(SOCKET s, DWORD timeoutMs)
{
    if (timeoutMs == INFINITE)
        return true;
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(s, &readable);
    timeval limit{static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
    return select(0, &readable, nullptr, nullptr, &limit) == 1;
}

}  // namespace

bool LineConnection::fill(DWORD timeoutMs)
{
    if (!socket_ || !waitReadable(socket_.get(), timeoutMs))
        return false;
    char chunk[65536];
    const int got = recv(socket_.get(), chunk, sizeof chunk, 0);
    if (got <= 0)
        return false;
    buffer_.append(chunk, static_cast<std::size_t>(got));
    return true;
}

std::optional<std::string> LineConnection::readLine(DWORD timeoutMs)
{
    auto line = readUntil("\n", timeoutMs);
    if (line && !line->empty() && line->back() == '\r')
        line->pop_back();
    return line;
}

std::optional<std::string> LineConnection::readUntil(const std::string& terminator, DWORD timeoutMs)
{
    for (;;) {
        if (const auto end = buffer_.find(terminator); end != std::string::npos) {
            std::string head = buffer_.substr(0, end);
            buffer_.erase(0, end + terminator.size());
            return head;
        }
        if (!fill(timeoutMs))
            return std::nullopt;
    }
}

bool LineConnection::send(const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const int n = ::send(socket_.get(), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (n <= 0)
            return false;
        sent += static_cast<std::size_t>(n);
    }
    return true;
}

void LineConnection::close()
{
    if (socket_)
        shutdown(socket_.get(), SD_SEND);
    socket_.reset();
}

LoopbackListener::LoopbackListener(uint16_t port)
{
    startWinsock();
    socket_.reset(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!socket_)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (bind(socket_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(socket_.get(), SOMAXCONN) != 0)
        throw std::runtime_error("bind/listen failed");
    int length = sizeof address;
    getsockname(socket_.get(), reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
}

std::unique_ptr<LineConnection> LoopbackListener::accept(DWORD timeoutMs)
{
    if (!socket_ || !waitReadable(socket_.get(), timeoutMs))
        return nullptr;
    const SOCKET s = ::accept(socket_.get(), nullptr, nullptr);
    if (s == INVALID_SOCKET)
        return nullptr;
    return std::make_unique<LineConnection>(s);
}
