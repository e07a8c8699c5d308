#include "PipitError.h"
#include "RecordingClient.h"

#include <gtest/gtest.h>

#include <optional>

TEST(PipitErrorCheck, CasesTable)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"500", "onNotExpectedServerError()"},
        {"501", "onProtocolError()"},
        {"502", "onNoChannel()"},
        {"503", "onNoUser()"},
        {"504", "onNoAuth()"},
        {"", "onNotExpectedResponseError(PARSE_ERROR)"},
        {"20", "onNotExpectedResponseError(PARSE_ERROR)"},
        {"2000", "onNotExpectedResponseError(PARSE_ERROR)"},
        {"5000", "onNotExpectedResponseError(PARSE_ERROR)"},
        {"200", std::nullopt},
        {"505", std::nullopt},
        {"abc", std::nullopt},
    };
    for (const auto& [code, call] : cases) {
        RecordingClient client;
        EXPECT_EQ(PipitError(client).check(code), call.has_value()) << "code '" << code << "'";
        EXPECT_EQ(client.calls(), call ? std::vector<std::string>{*call} : std::vector<std::string>{}) << code;
    }
}
