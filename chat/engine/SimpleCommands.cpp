// The commands that keep no state between response lines.
#include "Commands.h"

#include "CommandSupport.h"
#include "Keywords.h"
#include "StringUtil.h"

using namespace command;

namespace {

bool allFitOneLine(const CommandArgs& args, std::size_t from)
{
    for (std::size_t i = from; i < args.size(); ++i) {
        if (!fitsOneLine(args[i]))
            return false;
    }
    return true;
}

// The keyword and every argument as they are, one space between them.
std::string encodeRaw(const CommandArgs& args, const char* invalid)
{
    if (!allFitOneLine(args, 0))
        invalidParams(invalid);
    return StringUtil::join(args, " ", 0) + "\n";
}

std::string encodeExactly(const CommandArgs& args, std::size_t count, const char* invalid)
{
    if (args.size() != count)
        invalidParams(invalid);
    return encodeRaw(args, invalid);
}

std::string encodeSet(const CommandArgs& args)
{
    constexpr const char* invalid = "SetCommand:InvalidParams";
    if (args.size() < 3)
        invalidParams(invalid);
    const bool escaped = isEscapedSetKey(args[1]);
    if (!fitsOneLine(args[1]) || (!escaped && !fitsOneLine(args[2])) || !allFitOneLine(args, 3))
        invalidParams(invalid);
    std::string line = std::string(Keyword::Set) + " " + args[1] + " " + (escaped ? StringUtil::escape(args[2]) : args[2]);
    if (args.size() > 3)
        line += " " + StringUtil::join(args, " ", 3);
    return line + "\n";
}

std::string encodeDelNMsg(const CommandArgs& args)
{
    constexpr const char* invalid = "DelNMsgCommand:InvalidParams";
    if (args.size() < 2)
        invalidParams(invalid);
    return encodeRaw(args, invalid);
}

// The plain commands end with their one success callback on 200.
CommandStatus answerSuccess(IPipitClient& client, std::string_view keyword, const Fields& fields,
                            void (IPipitClient::*onSuccess)())
{
    return answer(client, keyword, fields, {{"200", onSuccess, CommandStatus::Success}});
}

} // namespace

MsgCommand::MsgCommand(IPipitClient& client, const CommandArgs& args)
    : ICommand(client, encodeExactly(args, 4, "MsgCommand:InvalidParams"))
{
}

CommandStatus MsgCommand::handleResponse(const std::vector<std::string>& fields)
{
    return answer(client_, Keyword::Msg, fields,
                  {{"200", &IPipitClient::onReqMsg, CommandStatus::Success},
                   {"511", &IPipitClient::onReqMsgOverCount, CommandStatus::Refused}});
}

// Further elements are ignored, so PING has no invalid count.
PingCommand::PingCommand(IPipitClient& client, const CommandArgs&) : ICommand(client, std::string(Keyword::Ping) + "\n") {}

CommandStatus PingCommand::handleResponse(const std::vector<std::string>& fields)
{
    return answerSuccess(client_, Keyword::Ping, fields, &IPipitClient::onReqPing);
}

SetCommand::SetCommand(IPipitClient& client, const CommandArgs& args) : ICommand(client, encodeSet(args)), key_(args[1]) {}

CommandStatus SetCommand::handleResponse(const std::vector<std::string>& fields)
{
    if (!hasCode(fields, "200"))
        return unexpected(client_, Keyword::Set);
    client_.onReqSet(key_);
    return CommandStatus::Success;
}

GetCommand::GetCommand(IPipitClient& client, const CommandArgs& args)
    : ICommand(client, encodeExactly(args, 2, "GetCommand:InvalidParams")), key_(args[1])
{
}

CommandStatus GetCommand::handleResponse(const std::vector<std::string>& fields)
{
    if (!hasCode(fields, "200") || fields.size() != 3)
        return unexpected(client_, Keyword::Get);
    client_.onReqGet(key_, fields[1], fields[2]);
    return CommandStatus::Success;
}

KickCommand::KickCommand(IPipitClient& client, const CommandArgs& args)
    : ICommand(client, encodeExactly(args, 3, "KickCommand:InvalidParams"))
{
}

CommandStatus KickCommand::handleResponse(const std::vector<std::string>& fields)
{
    return answerSuccess(client_, Keyword::Kick, fields, &IPipitClient::onReqKick);
}

DelNMsgCommand::DelNMsgCommand(IPipitClient& client, const CommandArgs& args) : ICommand(client, encodeDelNMsg(args)) {}

CommandStatus DelNMsgCommand::handleResponse(const std::vector<std::string>& fields)
{
    return answerSuccess(client_, Keyword::DelNMsg, fields, &IPipitClient::onReqDelNMsg);
}

PermCommand::PermCommand(IPipitClient& client, const CommandArgs& args)
    : ICommand(client, encodeExactly(args, 3, "PermCommand:InvalidParams"))
{
}

CommandStatus PermCommand::handleResponse(const std::vector<std::string>& fields)
{
    return answerSuccess(client_, Keyword::Perm, fields, &IPipitClient::onReqPerm);
}

ReportCommand::ReportCommand(IPipitClient& client, const CommandArgs& args)
    : ICommand(client, encodeExactly(args, 3, "ReportCommand:InvalidParams"))
{
}

CommandStatus ReportCommand::handleResponse(const std::vector<std::string>& fields)
{
    return answerSuccess(client_, Keyword::Report, fields, &IPipitClient::onReqReport);
}
