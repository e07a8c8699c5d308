// Yarnly_Open against the web service stand-in, over real WinINet.
#include <gtest/gtest.h>

#include <vector>

#include "WebService.h"
#include "YarnlyLibrary.h"

namespace {

class WebRequestTest : public ::testing::Test {
protected:
    WebRequestTest() : library(YARNLY_DLL), token(YARNLY_OPEN_TOKEN_BUFFER_SIZE, 'X') {}
    ~WebRequestTest() override { SetEnvironmentVariableA("YARNLY_WEB_SERVICE_HOST", nullptr); }

    uint32_t open(const std::string& host, const char* title = "t")
    {
        SetEnvironmentVariableA("YARNLY_WEB_SERVICE_HOST", host.c_str());
        return library.open(nullptr, nullptr, "own", "key", title, "ext", token.data());
    }
    std::string tokenText() const { return token.data(); }

    YarnlyLibrary library;
    std::vector<char> token;
};

struct TokenCase {
    const char* body;
    const char* token;
};

class TokenOfBody : public WebRequestTest, public ::testing::WithParamInterface<TokenCase> {};

TEST_P(TokenOfBody, IsTheSecondAtSeparatedField)
{
    WebService service({.body = GetParam().body});
    EXPECT_EQ(open(service.hostAndPort()), YARNLY_OPEN_OK);
    EXPECT_EQ(tokenText(), GetParam().token);
}

INSTANTIATE_TEST_SUITE_P(All, TokenOfBody,
                         ::testing::Values(TokenCase{"OK@abc@def", "abc"}, TokenCase{"OK", ""},
                                           TokenCase{"@@x@y", "y"}, TokenCase{"", ""}));

TEST_F(WebRequestTest, SendsThePathUnchangedToTheHostAndPort)
{
    WebService service({.status = 404, .body = "OK@tok"});
    EXPECT_EQ(open(service.hostAndPort(), "a b&c"), YARNLY_OPEN_OK);  // the status plays no part
    EXPECT_EQ(tokenText(), "tok");
    const std::vector<std::string> lines = service.requestLines();
    ASSERT_EQ(lines.size(), 1u);
    const std::string& line = lines[0];
    EXPECT_EQ(line.rfind("GET /plaza/program/OpenChat.do?prgmid=1&pdid=aaa&ownerkey=own&chkey=key&title=a", 0), 0u)
        << line;
    EXPECT_NE(line.find("&c&chext=ext HTTP/1.1"), std::string::npos) << line;
}

TEST_F(WebRequestTest, BodyWithoutLengthMayFillTheDefaultLimit)
{
    std::string body = "OK@" + std::string(102400 - 3, 'a');
    WebService exact({.body = body, .omitLength = true});
    EXPECT_EQ(open(exact.hostAndPort()), YARNLY_OPEN_OK);
    EXPECT_EQ(tokenText().size(), 102400u - 3);

    WebService over({.body = body + "a", .omitLength = true});
    EXPECT_EQ(open(over.hostAndPort()), YARNLY_OPEN_BODY_FAILED);
    EXPECT_EQ(token[0], '\0');
}

TEST_F(WebRequestTest, BodyLongerThanItsStatedLengthIsRefused)
{
    WebService service({.body = "OK@abcdef", .statedLength = 4});
    EXPECT_EQ(open(service.hostAndPort()), YARNLY_OPEN_BODY_FAILED);
    EXPECT_EQ(token[0], '\0');
}

TEST_F(WebRequestTest, HugeStatedLengthIsRefusedUpFront)
{
    WebService service({.body = "OK@abc", .statedLength = 4000000000ull});
    EXPECT_EQ(open(service.hostAndPort()), YARNLY_OPEN_BODY_FAILED);
    EXPECT_EQ(token[0], '\0');
}

TEST_F(WebRequestTest, RefusedConnectionLeavesALoneNul)
{
    const uint16_t closedPort = [] {
        LoopbackListener listener;
        return listener.port();
    }();
    const uint32_t result = open("127.0.0.1:" + std::to_string(closedPort));
    // InternetConnectA only makes a handle; the refusal shows when the request is sent.
    EXPECT_EQ(result, YARNLY_OPEN_SEND_REQUEST_FAILED);
    EXPECT_EQ(token[0], '\0');
    EXPECT_EQ(token[1], 'X');
}

TEST_F(WebRequestTest, MissingArgumentsAreRefused)
{
    EXPECT_EQ(library.open(nullptr, nullptr, nullptr, "k", "t", "e", token.data()), YARNLY_OPEN_MISSING_ARGUMENT);
    EXPECT_EQ(token[0], '\0');
    EXPECT_EQ(library.open(nullptr, nullptr, "o", "k", "t", "e", nullptr), YARNLY_OPEN_MISSING_ARGUMENT);
}

}  // namespace
