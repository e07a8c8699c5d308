#include "HttpReader.h"

#include <cstring>
#include <string>

namespace {

constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_KEEP_CONNECTION | INTERNET_FLAG_NO_AUTO_REDIRECT;
static_assert(kRequestFlags == 0x84600000);
static_assert((kRequestFlags | INTERNET_FLAG_SECURE) == 0x84E00000);

// A stated length above this is refused before anything is allocated for it.
constexpr unsigned long long kLargestStatedBody = 16ull * 1024 * 1024;
constexpr DWORD kChunkSize = 1024;

}  // namespace

void CHttpReader::closeHandles() noexcept
{
    request_.reset();
    connection_.reset();
    internet_.reset();
}

OpenResult CHttpReader::request(bool secure, const char* verb, const char* host, const char* path,
                                const char* extraHeaders, const char* optionalBody, DWORD extraFlags,
                                CountedBlock* headers, CountedBlock* body)
{
    if (!verb || !host || !path || !extraHeaders || !headers || !body)
        return OpenResult::MissingArgument;
    closeHandles();
    OpenResult result = connect(secure, host);
    if (result == OpenResult::Ok)
        result = send(secure, verb, path, extraHeaders, optionalBody, extraFlags);
    if (result == OpenResult::Ok)
        result = readBody(body);
    if (result == OpenResult::Ok)
        result = readHeaders(headers, body);
    closeHandles();
    return result;
}

OpenResult CHttpReader::connect(bool secure, const char* host)
{
    std::string name = host;
    INTERNET_PORT port = secure ? INTERNET_DEFAULT_HTTPS_PORT : INTERNET_DEFAULT_HTTP_PORT;
    if (const auto colon = name.rfind(':'); colon != std::string::npos) {
        port = static_cast<INTERNET_PORT>(std::strtoul(name.c_str() + colon + 1, nullptr, 10));
        name.resize(colon);
    }
    internet_.reset(InternetOpenA("Http Reader", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!internet_)
        return OpenResult::InternetOpenFailed;
    connection_.reset(InternetConnectA(internet_.get(), name.c_str(), port, "", "", INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection_)
        return OpenResult::ConnectFailed;
    return OpenResult::Ok;
}

OpenResult CHttpReader::send(bool secure, const char* verb, const char* path, const char* extraHeaders,
                             const char* optionalBody, DWORD extraFlags)
{
    const char* acceptTypes[] = {"*/*", nullptr};
    const DWORD flags = (secure ? kRequestFlags | INTERNET_FLAG_SECURE : kRequestFlags) | extraFlags;
    request_.reset(HttpOpenRequestA(connection_.get(), verb, path, "HTTP/1.1", nullptr, acceptTypes, flags, 0));
    if (!request_)
        return OpenResult::OpenRequestFailed;
    if (*extraHeaders &&
        !HttpAddRequestHeadersA(request_.get(), extraHeaders, static_cast<DWORD>(std::strlen(extraHeaders)),
                                HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE))
        return OpenResult::AddHeadersFailed;
    const bool hasBody = optionalBody && *optionalBody;
    if (!HttpSendRequestA(request_.get(), nullptr, 0, hasBody ? const_cast<char*>(optionalBody) : nullptr,
                          hasBody ? static_cast<DWORD>(std::strlen(optionalBody)) : 0))
        return OpenResult::SendRequestFailed;
    return OpenResult::Ok;
}

OpenResult CHttpReader::readBody(CountedBlock* body)
{
    unsigned long long limit = defaultBodyLimit_;
    char lengthText[1024] = {};
    DWORD lengthSize = sizeof lengthText - 1;
    if (HttpQueryInfoA(request_.get(), HTTP_QUERY_CONTENT_LENGTH, lengthText, &lengthSize, nullptr))
        limit = std::strtoull(lengthText, nullptr, 10);
    if (limit > kLargestStatedBody)
        return OpenResult::BodyFailed;

    body->length = 0;
    body->data.reset(static_cast<uint8_t*>(std::calloc(1, limit ? limit : 1)));
    if (!body->data)
        return OpenResult::NoMemory;

    unsigned long long total = 0;
    char chunk[kChunkSize];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request_.get(), chunk, sizeof chunk, &read))
            return OpenResult::BodyFailed;
        if (read == 0)
            break;
        if (total + read > limit)
            return OpenResult::BodyFailed;  // no need to drain a body that is refused anyway
        std::memcpy(body->data.get() + total, chunk, read);
        total += read;
    }
    body->length = static_cast<uint32_t>(total);
    return OpenResult::Ok;
}

OpenResult CHttpReader::readHeaders(CountedBlock* headers, CountedBlock* body)
{
    headers->length = 0;
    headers->data.reset(static_cast<uint8_t*>(std::calloc(1, headerLimit_ ? headerLimit_ : 1)));
    if (!headers->data) {
        body->data.reset();
        body->length = 0;
        return OpenResult::NoMemory;
    }
    DWORD size = headerLimit_ ? headerLimit_ - 1 : 0;
    if (!HttpQueryInfoA(request_.get(), HTTP_QUERY_RAW_HEADERS_CRLF, headers->data.get(), &size, nullptr)) {
        headers->data.reset();
        body->data.reset();
        body->length = 0;
        return OpenResult::HeadersFailed;
    }
    if (size > headerLimit_)
        return OpenResult::HeadersFailed;
    headers->length = size;
    return OpenResult::Ok;
}
