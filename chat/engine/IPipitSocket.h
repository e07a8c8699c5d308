#pragma once
// The line transport of one chat connection. Every failure closes the connection first and then
// throws the TransportError code as an int; PipitService turns it into one onCError call.
#include <cstdint>
#include <string>

enum TransportError : int {
    ConnectFailed = 2, // caught inside connect, which then returns false
    ReceiveFailed = 3, // receive failed, peer closed, or line too long
    SendFailed = 4,
};

// "ConnectFailed", ... or "TransportError" for a code outside the table.
const char* transportErrorName(int code) noexcept;

class IPipitSocket {
public:
    virtual ~IPipitSocket() = default;

    // host: a dotted IPv4 address or a name to resolve. Never throws.
    virtual bool connect(const std::string& host, std::uint16_t port) = 0;
    // Any thread, any number of times; makes a pending readLine fail. Never throws.
    virtual void close() = 0;
    virtual bool isConnected() const = 0;
    // Sends the bytes of line up to its first NUL; throws SendFailed.
    virtual void send(const std::string& line) = 0;
    // The next LF-terminated line without its LF (and one CR before it); throws ReceiveFailed.
    virtual std::string readLine() = 0;
};
