#include "CommandSupport.h"

#include "StringUtil.h"

namespace command {

CommandStatus answer(IPipitClient& client, std::string_view keyword, const Fields& fields,
                     std::initializer_list<Outcome> outcomes)
{
    for (const Outcome& outcome : outcomes) {
        if (hasCode(fields, outcome.code)) {
            (client.*outcome.callback)();
            return outcome.status;
        }
    }
    return unexpected(client, keyword);
}

User userFromFields(const Fields& fields)
{
    return User(fields[1], StringUtil::unescape(fields[2]), fields[3], fields[4]);
}

bool fitsOneLine(std::string_view argument)
{
    return argument.find('\n') == std::string_view::npos;
}

} // namespace command
