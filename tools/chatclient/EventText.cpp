#include "EventText.h"

#include <Yarnly.h>

namespace {

std::string members(int32_t count, ChatMemberEntry** entries)
{
    std::string text;
    for (int32_t i = 0; i < count; ++i)
        text += (i ? ", " : "") + std::string(entries[i]->id) + " (" + entries[i]->nickname + ")";
    return count ? text : "nobody";
}

std::string items(int32_t count, char** list)
{
    std::string text;
    for (int32_t i = 0; i < count; ++i)
        text += (i ? " " : "") + std::string(list[i]);
    return text;
}

}  // namespace

std::string eventName(UINT message)
{
    switch (message) {
    case CHATMSG_KICK: return "KICK";
    case CHATMSG_PART: return "PART";
    case CHATMSG_JOIN: return "JOIN";
    case CHATMSG_MSG: return "MSG";
    case CHATMSG_SET: return "SET";
    case CHATMSG_PERM: return "PERM";
    case CHATMSG_SYSMSG: return "SYSMSG";
    case CHATMSG_REPORT: return "REPORT";
    case CHATMSG_KICK_EX: return "KICK_EX";
    case CHATMSG_PERM_EX: return "PERM_EX";
    case CHATMSG_REPORT_EX: return "REPORT_EX";
    case CHATMSG_NICK_EX: return "NICK_EX";
    case CHATMSG_USER: return "USER";
    case CHATMSG_WHO: return "WHO";
    case CHATMSG_GET: return "GET";
    case CHATMSG_SET_REPLY: return "SET_REPLY";
    case CHATMSG_SERVER_ERROR: return "SERVER_ERROR";
    case CHATMSG_KICKED: return "KICKED";
    case CHATMSG_CONN_ERROR: return "CONN_ERROR";
    }
    return "message " + std::to_string(message);
}

std::string describeEvent(UINT message, WPARAM wParam)
{
    const void* p = reinterpret_cast<const void*>(wParam);
    std::string text = "CHATMSG_" + eventName(message) + ": ";
    switch (message) {
    case CHATMSG_USER: {
        auto r = static_cast<const ChatUserRecord*>(p);
        return text + "joined \"" + r->channelTitle + "\" as " + r->id + " (" + r->nickname +
               "); already here: " + members(r->memberCount, r->members);
    }
    case CHATMSG_JOIN: {
        auto r = static_cast<const ChatJoinRecord*>(p);
        return text + r->id + " (" + r->nickname + ") joined, member #" + std::to_string(r->number);
    }
    case CHATMSG_PART: {
        auto r = static_cast<const ChatPartRecord*>(p);
        return text + r->id + " left";
    }
    case CHATMSG_MSG: {
        auto r = static_cast<const ChatMsgRecord*>(p);
        return text + r->source + " says (" + r->kind + "): " + r->text;
    }
    case CHATMSG_KICK: {
        auto r = static_cast<const ChatKickRecord*>(p);
        return text + r->source + " kicked " + r->member + " (" + r->reason + ")";
    }
    case CHATMSG_KICK_EX: {
        auto r = static_cast<const ChatKickExRecord*>(p);
        return text + r->source + " kicked " + r->member + " (" + r->reason + "), control value \"" +
               r->controlValue2 + "\"";
    }
    case CHATMSG_SET: {
        auto r = static_cast<const ChatSetRecord*>(p);
        return text + r->source1 + "@" + r->source2 + " set " + r->key + " to \"" + r->value + "\"";
    }
    case CHATMSG_NICK_EX: {
        auto r = static_cast<const ChatNickExRecord*>(p);
        return text + r->source1 + " is now \"" + r->value + "\", control values \"" + r->controlValue1 + "\", \"" +
               r->controlValue2 + "\"";
    }
    case CHATMSG_PERM: {
        auto r = static_cast<const ChatPermRecord*>(p);
        return text + r->source1 + " gave " + r->target + " \"" + r->value + "\"";
    }
    case CHATMSG_PERM_EX: {
        auto r = static_cast<const ChatPermExRecord*>(p);
        return text + r->source1 + " gave " + r->target + " \"" + r->value + "\", control value \"" +
               r->controlValue2 + "\"";
    }
    case CHATMSG_REPORT: {
        auto r = static_cast<const ChatReportRecord*>(p);
        return text + r->source1 + " reported " + r->target + " (" + r->reason + "): " + items(r->itemCount, r->items);
    }
    case CHATMSG_REPORT_EX: {
        auto r = static_cast<const ChatReportExRecord*>(p);
        return text + r->source1 + " reported " + r->target + " (" + r->reason + "), control values \"" +
               r->reporterValue2 + "\", \"" + r->targetValue2 + "\"";
    }
    case CHATMSG_SYSMSG: return text + static_cast<const ChatSysmsgRecord*>(p)->text;
    case CHATMSG_WHO: {
        auto r = static_cast<const ChatWhoRecord*>(p);
        return text + members(r->memberCount, r->members);
    }
    case CHATMSG_GET: {
        auto r = static_cast<const ChatGetRecord*>(p);
        return text + r->key + " = " + r->value1 + " (" + r->value2 + ")";
    }
    case CHATMSG_SET_REPLY: return text + static_cast<const ChatSetReplyRecord*>(p)->key + " set";
    case CHATMSG_CONN_ERROR: return text + "transport error " + std::to_string(wParam);
    case CHATMSG_SERVER_ERROR: return text + "the server refused a request";
    case CHATMSG_KICKED: return text + "this user is kicked from the channel";
    }
    return text;
}
