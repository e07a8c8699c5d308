// Lines per second on the receive path over real loopback, against two baselines measured in
// the same run: one receive call per byte (the old loop), and raw 64 KiB reads that cut nothing.
#include "CPipitLock.h"
#include "CPipitSocket.h"
#include "NullClient.h"
#include "PipitService.h"
#include "SocketHandle.h"

#include <ws2tcpip.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Listener {
    Listener() : s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        bind(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(s.get(), 1);
        getsockname(s.get(), reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
    }
    SocketHandle s;
    std::uint16_t port = 0;
};

// Serves `lines` copies of line on one connection, then closes; reader gets the port and
// returns the number of lines it saw. Result: lines per second.
double measure(int lines, const std::function<long(std::uint16_t)>& reader)
{
    Listener listener;
    const std::string line = typicalMsgLine();
    std::string block;
    for (int i = 0; i < 256; ++i)
        block += line;
    std::thread server([&] {
        SocketHandle peer(::accept(listener.s.get(), nullptr, nullptr));
        for (int left = lines; left > 0; left -= 256) {
            const int n = left < 256 ? left : 256;
            const char* data = block.data();
            for (int size = n * static_cast<int>(line.size()); size > 0;) {
                const int sent = ::send(peer.get(), data, size, 0);
                if (sent <= 0)
                    return;
                data += sent;
                size -= sent;
            }
        }
    });
    const Clock::time_point start = Clock::now();
    const long seen = reader(listener.port);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    server.join();
    if (seen != lines)
        std::printf("warning: %ld of %d lines read\n", seen, lines);
    return seen / seconds;
}

SocketHandle connectTo(std::uint16_t port)
{
    SocketHandle s(::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    ::connect(s.get(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    return s;
}

// The old receive loop: one receive call per byte.
long byteWiseLines(std::uint16_t port)
{
    SocketHandle s = connectTo(port);
    char buffer[8192];
    long lines = 0;
    int stored = 0;
    char c;
    while (::recv(s.get(), &c, 1, 0) == 1) {
        if (c == '\n') {
            const std::string line(buffer, stored);
            lines += !line.empty();
            stored = 0;
        } else if (stored < 8191) {
            buffer[stored++] = c;
        }
    }
    return lines;
}

long rawReadLines(std::uint16_t port)
{
    SocketHandle s = connectTo(port);
    static char buffer[64 * 1024];
    long bytes = 0;
    for (int n; (n = ::recv(s.get(), buffer, sizeof buffer, 0)) > 0;)
        bytes += n;
    return bytes / static_cast<long>(typicalMsgLine().size());
}

long readLineLines(std::uint16_t port)
{
    CPipitSocket socket;
    socket.connect("127.0.0.1", port);
    long lines = 0;
    try {
        for (;;) {
            socket.readLine();
            ++lines;
        }
    } catch (int) {
    }
    return lines;
}

class CountingClient : public NullClient {
public:
    void onMsg(const std::string&, const std::string&, const std::string&) override { ++messages; }
    long messages = 0;
};

long serviceLines(std::uint16_t port)
{
    auto owned = std::make_unique<CountingClient>();
    CountingClient* client = owned.get();
    auto commands = std::make_unique<CommandFactory>(*owned);
    auto notifications = std::make_unique<NotifyFactory>(*owned);
    auto errors = std::make_unique<PipitError>(*owned);
    PipitService service(std::move(owned), std::make_unique<CPipitSocket>(), std::make_unique<CPipitLock>(),
                         std::move(commands), std::move(notifications), std::move(errors));
    service.connect("127.0.0.1", port);
    service.run();
    return client->messages;
}

} // namespace

int main()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    constexpr int bigSample = 200000;
    constexpr int smallSample = 200;

    const double byteWise = measure(smallSample, byteWiseLines);
    const double raw = measure(bigSample, rawReadLines);
    const double readLine = measure(bigSample, readLineLines);
    const double service = measure(bigSample, serviceLines);

    std::printf("100-byte MSG lines over loopback, lines per second\n");
    std::printf("  baseline: one receive per byte (%d lines)   %12.0f\n", smallSample, byteWise);
    std::printf("  baseline: raw 64 KiB reads, no cutting (%d)  %12.0f\n", bigSample, raw);
    std::printf("  readLine (buffered receive, lines cut)        %12.0f\n", readLine);
    std::printf("  service (readLine + parse + dispatch)         %12.0f\n", service);
    std::printf("ratios\n");
    std::printf("  readLine / one-byte loop   %10.1f x   (target >= 1000)\n", readLine / byteWise);
    std::printf("  readLine / raw read        %10.2f x   (target >= 0.5)\n", readLine / raw);
    std::printf("  service  / one-byte loop   %10.1f x\n", service / byteWise);
    std::printf("  service  / raw read        %10.2f x\n", service / raw);
    WSACleanup();
    return 0;
}
