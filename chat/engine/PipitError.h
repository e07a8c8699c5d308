#pragma once
#include <string_view>

class IPipitClient;

// Maps the general response codes, which end the oldest pending command whatever it is.
class PipitError {
public:
    explicit PipitError(IPipitClient& client) : client_(client) {}
    virtual ~PipitError() = default;

    // code: the first field of a response. True when it was a general error or malformed (and
    // has been reported); false when it is for the command to interpret.
    bool check(std::string_view code) const;

private:
    IPipitClient& client_;
};
