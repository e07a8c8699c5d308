#include "OpenChat.h"

#include <cstdio>
#include <cstring>

#include "HttpReader.h"
#include "LogLine.h"
#include "Tokens.h"

namespace {

constexpr char kDefaultWebServiceHost[] = "chat.lumox.net";
constexpr char kPathFormat[] = "/plaza/program/OpenChat.do?prgmid=1&pdid=aaa&ownerkey=%s&chkey=%s&title=%s&chext=%s";
constexpr uint32_t kHeaderLimit = 10240;
constexpr uint32_t kDefaultBodyLimit = 102400;

}  // namespace

std::string webServiceHost()
{
    char value[1024];
    const DWORD length = GetEnvironmentVariableA("YARNLY_WEB_SERVICE_HOST", value, sizeof value);
    if (length > 0 && length < sizeof value)
        return std::string(value, length);
    return kDefaultWebServiceHost;
}

std::string tokenOfBody(const std::string& body)
{
    const std::vector<std::string> tokens = tokenize(body, '@', 2);
    return tokens.size() == 2 ? tokens[1] : std::string();
}

OpenResult openChat(const char* ownerKey, const char* channelKey, const char* title, const char* channelExt,
                    char* tokenOut)
{
    if (!tokenOut)
        return OpenResult::MissingArgument;
    *tokenOut = '\0';
    if (!ownerKey || !channelKey || !title || !channelExt)
        return OpenResult::MissingArgument;

    const int pathLength = std::snprintf(nullptr, 0, kPathFormat, ownerKey, channelKey, title, channelExt);
    std::string path(static_cast<std::size_t>(pathLength), '\0');
    std::snprintf(path.data(), path.size() + 1, kPathFormat, ownerKey, channelKey, title, channelExt);

    CHttpReader reader(kHeaderLimit, kDefaultBodyLimit);
    CountedBlock headers;
    CountedBlock body;
    const std::string host = webServiceHost();
    OpenResult result = reader.request(false, "GET", host.c_str(), path.c_str(), "", "", 0, &headers, &body);
    if (result == OpenResult::Ok) {
        const std::string token =
            tokenOfBody(std::string(reinterpret_cast<const char*>(body.data.get()), body.length));
        // The host's buffer has no length: a token that would overrun the documented size is refused.
        if (token.size() < YARNLY_OPEN_TOKEN_BUFFER_SIZE)
            std::memcpy(tokenOut, token.c_str(), token.size() + 1);
        else
            result = OpenResult::BodyFailed;
    }
    if (result != OpenResult::Ok)
        writeLogLine("[Yarnly]open:0x%08X:%s", static_cast<unsigned>(result), openResultName(result));
    return result;
}
