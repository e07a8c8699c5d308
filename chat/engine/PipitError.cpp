#include "PipitError.h"

#include "IPipitClient.h"

namespace {

struct GeneralError {
    std::string_view code;
    void (IPipitClient::*callback)();
};

constexpr GeneralError generalErrors[] = {
    {"500", &IPipitClient::onNotExpectedServerError},
    {"501", &IPipitClient::onProtocolError},
    {"502", &IPipitClient::onNoChannel},
    {"503", &IPipitClient::onNoUser},
    {"504", &IPipitClient::onNoAuth},
};

} // namespace

bool PipitError::check(std::string_view code) const
{
    if (code.size() != 3) {
        client_.onNotExpectedResponseError("PARSE_ERROR");
        return true;
    }
    for (const GeneralError& error : generalErrors) {
        if (code == error.code) {
            (client_.*error.callback)();
            return true;
        }
    }
    return false;
}
