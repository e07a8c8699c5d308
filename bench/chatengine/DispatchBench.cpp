// Parse + dispatch of typical MSG lines through the service, for callgrind: only dispatchLines
// is counted (--toggle-collect), and the run script divides its instructions by the line count.
#include "NullClient.h"
#include "PipitService.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

// Hands out the same line count times, then fails as a peer close does.
class RepeatingSocket : public IPipitSocket {
public:
    RepeatingSocket(std::string line, long count) : line_(std::move(line)), left_(count) {}
    bool connect(const std::string&, std::uint16_t) override { return connected_ = true; }
    void close() override { connected_ = false; }
    bool isConnected() const override { return connected_; }
    void send(const std::string&) override {}
    std::string readLine() override
    {
        if (left_-- <= 0) {
            connected_ = false;
            throw int{ReceiveFailed};
        }
        return line_;
    }

private:
    std::string line_;
    long left_;
    bool connected_ = false;
};

class NoLock : public IPipitLock {
public:
    void lock() override {}
    void unlock() override {}
};

} // namespace

extern "C" __attribute__((noinline)) void dispatchLines(PipitService& service) { service.run(); }

int main(int argc, char** argv)
{
    const long count = argc > 1 ? std::atol(argv[1]) : 100000;
    std::string line = typicalMsgLine();
    line.pop_back(); // readLine hands lines over without their LF
    auto client = std::make_unique<NullClient>();
    auto commands = std::make_unique<CommandFactory>(*client);
    auto notifications = std::make_unique<NotifyFactory>(*client);
    auto errors = std::make_unique<PipitError>(*client);
    PipitService service(std::move(client), std::make_unique<RepeatingSocket>(line, count), std::make_unique<NoLock>(),
                         std::move(commands), std::move(notifications), std::move(errors));
    service.connect("server", 1);
    dispatchLines(service);
    std::printf("%ld lines dispatched\n", count);
    return 0;
}
