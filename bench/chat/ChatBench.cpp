// Notifications per second from the chat server stand-in through Yarnly64.dll to records drained
// and freed by a host window, and the latency from the server's send to the host's receipt;
// beside the same figures for the engine alone (a PipitService with a client that only counts),
// measured in the same run.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "CPipitLock.h"
#include "CPipitSocket.h"
#include "HostWindow.h"
#include "NullClient.h"
#include "PipitService.h"
#include "ScriptedServer.h"

namespace {

double now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

// A 100-byte MSG line whose text starts with the time it was sent.
std::string stampedLine()
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%.9f ", now());
    std::string line = std::string(":u1234@channel MSG nick ") + stamp;
    line.resize(99, 'x');
    return line + "\n";
}

struct Figures {
    double perSecond = 0;
    double median = 0;  // seconds
    double p99 = 0;
};

// What the receiving side saw: one latency per notification.
class Receipts {
public:
    void add(const char* text)
    {
        const double latency = now() - std::strtod(text, nullptr);
        std::lock_guard lock(mutex_);
        latencies_.push_back(latency);
        last_ = now();
    }
    std::size_t count()
    {
        std::lock_guard lock(mutex_);
        return latencies_.size();
    }
    Figures figures(double start)
    {
        std::lock_guard lock(mutex_);
        Figures f;
        f.perSecond = latencies_.size() / (last_ - start);
        std::sort(latencies_.begin(), latencies_.end());
        f.median = latencies_[latencies_.size() / 2];
        f.p99 = latencies_[latencies_.size() * 99 / 100];
        return f;
    }
    void clear()
    {
        std::lock_guard lock(mutex_);
        latencies_.clear();
    }

private:
    std::mutex mutex_;
    std::vector<double> latencies_;
    double last_ = 0;
};

// Flood: every line as fast as the connection takes it. Paced: one line, then a pause, so the
// latency is that of one notification and not of a queue.
Figures run(LineConnection& peer, Receipts& receipts, int lines, DWORD pauseMs)
{
    receipts.clear();
    const double start = now();
    std::string batch;
    for (int i = 0; i < lines; ++i) {
        batch += stampedLine();
        if (pauseMs || batch.size() > 16000 || i + 1 == lines) {
            peer.send(batch);
            batch.clear();
            if (pauseMs)
                Sleep(pauseMs);
        }
    }
    while (receipts.count() < static_cast<std::size_t>(lines))
        Sleep(1);
    return receipts.figures(start);
}

class TimingClient : public NullClient {
public:
    explicit TimingClient(Receipts& receipts) : receipts_(receipts) {}
    void onMsg(const std::string&, const std::string&, const std::string& text) override { receipts_.add(text.c_str()); }

private:
    Receipts& receipts_;
};

Figures engineOnly(int lines, DWORD pauseMs)
{
    Receipts receipts;
    ScriptedServer server;
    auto client = std::make_unique<TimingClient>(receipts);
    IPipitClient& c = *client;
    PipitService service(std::move(client), std::make_unique<CPipitSocket>(), std::make_unique<CPipitLock>(),
                         std::make_unique<CommandFactory>(c), std::make_unique<NotifyFactory>(c),
                         std::make_unique<PipitError>(c));
    service.connect("127.0.0.1", server.port());
    auto peer = server.accept();
    std::thread reader([&] { service.run(); });
    const Figures f = run(*peer, receipts, lines, pauseMs);
    service.close();
    reader.join();
    return f;
}

Figures throughTheLibrary(int lines, DWORD pauseMs)
{
    Receipts receipts;
    YarnlyLibrary library(YARNLY_DLL);
    HostWindow host(library, false, [&](UINT message, const void* record) {
        if (message == CHATMSG_MSG)
            receipts.add(static_cast<const ChatMsgRecord*>(record)->text);
    });
    ScriptedServer server;
    YarnlySession session = library.join("127.0.0.1", server.port(), host.hwnd(), nullptr, "u", "", "c", "", "n", "");
    auto peer = server.accept();
    skipUntil(*peer, "USER");
    const Figures f = run(*peer, receipts, lines, pauseMs);
    library.leave(session);
    return f;
}

void print(const char* what, const Figures& library, const Figures& engine)
{
    std::printf("%s\n", what);
    std::printf("  notifications/s   library %10.0f   engine alone %10.0f   ratio %.3f\n", library.perSecond,
                engine.perSecond, library.perSecond / engine.perSecond);
    std::printf("  latency median    library %8.1f us   engine alone %8.1f us   ratio %.2f\n", library.median * 1e6,
                engine.median * 1e6, library.median / engine.median);
    std::printf("  latency p99       library %8.1f us   engine alone %8.1f us   ratio %.2f\n", library.p99 * 1e6,
                engine.p99 * 1e6, library.p99 / engine.p99);
}

}  // namespace

int main(int argc, char** argv)
{
    const int flood = argc > 1 ? std::atoi(argv[1]) : 200000;
    const int paced = argc > 2 ? std::atoi(argv[2]) : 2000;
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);

    std::printf("chat end to end: server stand-in -> Yarnly64.dll -> host window (records read and freed)\n");
    const Figures engineFlood = engineOnly(flood, 0);
    const Figures libraryFlood = throughTheLibrary(flood, 0);
    char title[96];
    std::snprintf(title, sizeof title, "flood of %d 100-byte MSG notifications", flood);
    print(title, libraryFlood, engineFlood);

    const Figures enginePaced = engineOnly(paced, 1);
    const Figures libraryPaced = throughTheLibrary(paced, 1);
    std::snprintf(title, sizeof title, "%d notifications one at a time (1 ms apart)", paced);
    print(title, libraryPaced, enginePaced);
    return 0;
}
