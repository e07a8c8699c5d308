#pragma once
// A chat server whose every line the test writes: accept a connection, read what the client
// sent, answer with any lines, close.
#include <memory>

#include "Loopback.h"

class ScriptedServer {
public:
    ScriptedServer() = default;
    uint16_t port() const { return listener_.port(); }
    std::unique_ptr<LineConnection> accept(DWORD timeoutMs = 10000) { return listener_.accept(timeoutMs); }

private:
    LoopbackListener listener_;
};

// Reads lines until one equals `line` or starts with it followed by a space; the lines read
// before it are dropped (PINGs, for instance). False after `timeoutMs`.
bool skipUntil(LineConnection& peer, const std::string& keyword, DWORD timeoutMs = 10000,
               std::string* found = nullptr);
