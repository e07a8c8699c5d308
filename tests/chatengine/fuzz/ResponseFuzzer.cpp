// Arbitrary bytes from the server through line cutting and the service's dispatch, with a few
// commands waiting. The first byte picks the waiting commands and the receive chunk size.
#include "LineCutter.h"
#include "ServiceHarness.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Delivers the input as a connection would, a few bytes per receive, then closes as the peer.
class BytesSocket : public IPipitSocket {
public:
    BytesSocket(std::string_view bytes, std::size_t chunk) : bytes_(bytes), chunk_(chunk) {}

    bool connect(const std::string&, std::uint16_t) override { return connected_ = true; }
    void close() override { connected_ = false; }
    bool isConnected() const override { return connected_; }
    void send(const std::string& line) override
    {
        if (!connected_ || line.empty())
            throw int{SendFailed};
    }
    std::string readLine() override
    {
        std::string line;
        for (;;) {
            const LineCutter::Result result = cutter_.next(line);
            if (result == LineCutter::Result::Line)
                return line;
            if (result == LineCutter::Result::TooLong || bytes_.empty())
                break;
            const std::span<char> space = cutter_.freeSpace();
            const std::size_t n = std::min({chunk_, space.size(), bytes_.size()});
            std::memcpy(space.data(), bytes_.data(), n);
            cutter_.commit(n);
            bytes_.remove_prefix(n);
        }
        connected_ = false;
        throw int{ReceiveFailed};
    }

private:
    std::string_view bytes_;
    std::size_t chunk_;
    LineCutter cutter_;
    bool connected_ = false;
};

const std::vector<std::string> waiting[] = {
    {"USER", "u", "k", "c", "h", "n", "x"}, {"WHO", "c"}, {"GET", "k"}, {"MSG", "a", "b", "c"},
    {"SET", "TITLE", "t"}, {"PING"}, {"KICK", "m", "TRUE"}, {"DELNMSG", "a"},
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t selector = data[0];
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    ServiceHarness h(std::make_unique<BytesSocket>(bytes, 1 + selector % 13));
    h.service->connect("server", 1);
    for (std::size_t i = 0; i < std::size(waiting); ++i) {
        if (selector & (1u << i))
            h.service->sendCommand(waiting[i]);
    }
    h.service->run();
    return 0;
}
