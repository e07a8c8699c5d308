#pragma once
// An HTTP server on 127.0.0.1 that answers every request with the response it was given and
// remembers the request lines it saw.
#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Loopback.h"

struct WebResponse {
    int status = 200;
    std::string body;
    // The Content-Length header: the body's size when unset; none at all when `omitLength`.
    std::optional<std::size_t> statedLength;
    bool omitLength = false;
};

class WebService {
public:
    explicit WebService(WebResponse response);
    ~WebService();
    WebService(const WebService&) = delete;
    WebService& operator=(const WebService&) = delete;

    uint16_t port() const { return listener_.port(); }
    std::string hostAndPort() const { return "127.0.0.1:" + std::to_string(port()); }
    std::vector<std::string> requestLines() const;

private:
    void serve();

    WebResponse response_;
    LoopbackListener listener_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requestLines_;
    std::thread thread_;
};
