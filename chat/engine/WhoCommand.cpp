#include "Commands.h"

#include "CommandSupport.h"
#include "Keywords.h"
#include "StringUtil.h"

using namespace command;

namespace {

std::string encodeWho(const CommandArgs& args)
{
    if (args.size() != 2)
        invalidParams("WhoCommand:InvalidParams");
    return std::string(Keyword::Who) + " " + StringUtil::escape(args[1]) + "\n";
}

} // namespace

WhoCommand::WhoCommand(IPipitClient& client, const CommandArgs& args) : ICommand(client, encodeWho(args)) {}

CommandStatus WhoCommand::handleResponse(const std::vector<std::string>& fields)
{
    if (hasCode(fields, "211") && fields.size() == 5) {
        users_.push_back(userFromFields(fields));
        return CommandStatus::More;
    }
    if (hasCode(fields, "200")) {
        client_.onReqWho(users_);
        return CommandStatus::Success;
    }
    return unexpected(client_, Keyword::Who);
}
