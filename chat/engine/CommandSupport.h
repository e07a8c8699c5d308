#pragma once
// Helpers shared by the command classes.
#include "ICommand.h"
#include "IPipitClient.h"
#include "User.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace command {

using Fields = std::vector<std::string>;

inline bool hasCode(const Fields& fields, std::string_view code) { return fields[0] == code; }

// A line the command cannot use ends it.
inline CommandStatus unexpected(IPipitClient& client, std::string_view keyword)
{
    client.onNotExpectedResponseError(std::string(keyword));
    return CommandStatus::Unexpected;
}

// A final code with a callback of its own, without arguments.
struct Outcome {
    std::string_view code;
    void (IPipitClient::*callback)();
    CommandStatus status;
};

// The first outcome whose code matches raises its callback; none matching is unexpected.
CommandStatus answer(IPipitClient& client, std::string_view keyword, const Fields& fields,
                     std::initializer_list<Outcome> outcomes);

// f1 id, f2 nickname (escaped on the wire), f3 info, f4 extra.
User userFromFields(const Fields& fields);

// A raw (unescaped) argument must not carry a line break: it would end the request early and
// make the server read the rest as a request of its own.
bool fitsOneLine(std::string_view argument);

[[noreturn]] inline void invalidParams(const char* what) { throw std::invalid_argument(what); }

} // namespace command
