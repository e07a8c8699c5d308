#pragma once
// One HTTP request over WinINet: the raw response headers and the body come back as counted
// blocks, each sized in advance so nothing is reallocated while reading.
#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "OpenResult.h"
#include "ScopedHandle.h"

struct InternetHandleTraits {
    using Handle = HINTERNET;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { InternetCloseHandle(h); }
};
using InternetHandle = ScopedHandle<InternetHandleTraits>;

struct FreeDeleter {
    void operator()(void* block) const noexcept { std::free(block); }
};

// Empty: length 0, no data. The caller owns what a request filled, also after an error.
struct CountedBlock {
    uint32_t length = 0;
    std::unique_ptr<uint8_t[], FreeDeleter> data;
};

class CHttpReader {
public:
    CHttpReader(uint32_t headerLimit, uint32_t defaultBodyLimit) noexcept
        : headerLimit_(headerLimit), defaultBodyLimit_(defaultBodyLimit) {}

    // `host` may end in ":port". Every handle is closed again when this returns.
    OpenResult request(bool secure, const char* verb, const char* host, const char* path,
                       const char* extraHeaders, const char* optionalBody, DWORD extraFlags,
                       CountedBlock* headers, CountedBlock* body);

private:
    OpenResult connect(bool secure, const char* host);
    OpenResult send(bool secure, const char* verb, const char* path, const char* extraHeaders,
                    const char* optionalBody, DWORD extraFlags);
    OpenResult readBody(CountedBlock* body);
    OpenResult readHeaders(CountedBlock* headers, CountedBlock* body);
    void closeHandles() noexcept;

    InternetHandle internet_;
    InternetHandle connection_;
    InternetHandle request_;
    uint32_t headerLimit_;
    uint32_t defaultBodyLimit_;
};
