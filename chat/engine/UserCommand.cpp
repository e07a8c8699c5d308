#include "Commands.h"

#include "CommandSupport.h"
#include "Decimal.h"
#include "Keywords.h"
#include "StringUtil.h"

using namespace command;

namespace {

// args: keyword, user id, user key, channel, channel key, nickname, last field.
std::string encodeUser(const CommandArgs& args)
{
    if (args.size() != 7)
        invalidParams("UserCommand:InvalidParams");
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (i != 5 && !fitsOneLine(args[i]))
            invalidParams("UserCommand:InvalidParams");
    }
    std::string who = args[1].empty() ? "guest" : args[1];
    if (!args[2].empty())
        who += ":" + args[2];
    who += "@" + args[3];
    if (!args[4].empty())
        who += ":" + args[4];
    return std::string(Keyword::User) + " " + who + " " + StringUtil::escape(args[5]) + " " + args[6] + "\n";
}

} // namespace

UserCommand::UserCommand(IPipitClient& client, const CommandArgs& args) : ICommand(client, encodeUser(args)) {}

CommandStatus UserCommand::handleResponse(const std::vector<std::string>& fields)
{
    if (fields.size() == 5) {
        if (hasCode(fields, "210")) {
            users_.clear();
            channel_ = Channel(decimalField(fields[1]), decimalField(fields[2]), StringUtil::unescape(fields[3]),
                               fields[4]);
            return CommandStatus::More;
        }
        if (hasCode(fields, "211")) {
            users_.push_back(userFromFields(fields));
            return CommandStatus::More;
        }
        if (hasCode(fields, "200")) {
            me_ = userFromFields(fields);
            client_.onReqUser(me_, channel_, users_);
            return CommandStatus::Success;
        }
    }
    return answer(client_, Keyword::User, fields,
                  {{"511", &IPipitClient::onReqUserDuplicate, CommandStatus::Refused},
                   {"513", &IPipitClient::onReqUserNotMatchCHKey, CommandStatus::Refused},
                   {"514", &IPipitClient::onReqUserNotMatchUserKey, CommandStatus::Refused},
                   {"515", &IPipitClient::onReqUserKicked, CommandStatus::Refused},
                   {"411", &IPipitClient::onReqUserTempServerError, CommandStatus::Refused},
                   {"412", &IPipitClient::onReqUserOverCount, CommandStatus::Refused}});
}
