#include "RecordingClient.h"

namespace {

std::string args(std::initializer_list<std::string> items)
{
    std::string text = "(";
    bool first = true;
    for (const std::string& item : items) {
        if (!first)
            text += "|";
        text += item;
        first = false;
    }
    return text + ")";
}

template <class T>
std::string list(const std::vector<T>& items)
{
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i)
            text += ",";
        if constexpr (std::is_same_v<T, std::string>)
            text += items[i];
        else
            text += describe(items[i]);
    }
    return text + "]";
}

} // namespace

std::string describe(const User& u) { return "{" + u.id + "," + u.nickname + "," + u.info + "," + u.extra + "}"; }

std::string describe(const Channel& c)
{
    return "{" + std::to_string(c.valueA) + "," + std::to_string(c.valueB) + "," + c.title + "," + c.info + "}";
}

std::vector<std::string> RecordingClient::calls() const
{
    std::lock_guard<std::mutex> hold(mutex_);
    return calls_;
}

void RecordingClient::clear()
{
    std::lock_guard<std::mutex> hold(mutex_);
    calls_.clear();
}

void RecordingClient::record(std::string call)
{
    std::lock_guard<std::mutex> hold(mutex_);
    calls_.push_back(std::move(call));
}

void RecordingClient::onCError(int code) { record("onCError" + args({std::to_string(code)})); }
void RecordingClient::onKick(const std::string& s, const std::string& a0, const std::string& a1)
{
    record("onKick" + args({s, a0, a1}));
}
void RecordingClient::onPart(int number, const std::string& id) { record("onPart" + args({std::to_string(number), id})); }
void RecordingClient::onSysmsg(const std::string& text) { record("onSysmsg" + args({text})); }
void RecordingClient::onJoin(int number, const std::string& id, const std::string& nickname, const std::string& info,
                             const std::string& extra, bool flag)
{
    record("onJoin" + args({std::to_string(number), id, nickname, info, extra, flag ? "true" : "false"}));
}
void RecordingClient::onMsg(const std::string& s, const std::string& a0, const std::string& text)
{
    record("onMsg" + args({s, a0, text}));
}
void RecordingClient::onSet(const std::string& s1, const std::string& s2, const std::string& key, const std::string& value)
{
    record("onSet" + args({s1, s2, key, value}));
}
void RecordingClient::onNMsg(const std::string& s, int number, const std::string& a1, const std::string& text)
{
    record("onNMsg" + args({s, std::to_string(number), a1, text}));
}
void RecordingClient::onDelNMsg(const std::string& s, const std::vector<std::string>& items)
{
    record("onDelNMsg" + args({s, list(items)}));
}
void RecordingClient::onPerm(const std::string& s1, const std::string& s2, const std::string& a0, const std::string& a1,
                             const std::string& a2)
{
    record("onPerm" + args({s1, s2, a0, a1, a2}));
}
void RecordingClient::onReport(const std::string& s1, const std::string& s2, const std::string& a0, const std::string& a1,
                               const std::string& a2, const std::vector<std::string>& items)
{
    record("onReport" + args({s1, s2, a0, a1, a2, list(items)}));
}
void RecordingClient::onEOEH() { record("onEOEH()"); }
void RecordingClient::onReqOpen(const std::string& text) { record("onReqOpen" + args({text})); }
void RecordingClient::onReqListCh(const std::vector<Channel>& channels) { record("onReqListCh" + args({list(channels)})); }
void RecordingClient::onReqUser(const User& me, const Channel& channel, const std::vector<User>& users)
{
    record("onReqUser" + args({describe(me), describe(channel), list(users)}));
}
void RecordingClient::onReqWho(const std::vector<User>& users) { record("onReqWho" + args({list(users)})); }
void RecordingClient::onReqPing() { record("onReqPing()"); }
void RecordingClient::onReqMsg() { record("onReqMsg()"); }
void RecordingClient::onReqSet(const std::string& key) { record("onReqSet" + args({key})); }
void RecordingClient::onReqGet(const std::string& key, const std::string& v1, const std::string& v2)
{
    record("onReqGet" + args({key, v1, v2}));
}
void RecordingClient::onReqDelNMsg() { record("onReqDelNMsg()"); }
void RecordingClient::onReqKick() { record("onReqKick()"); }
void RecordingClient::onReqPerm() { record("onReqPerm()"); }
void RecordingClient::onReqReport() { record("onReqReport()"); }
void RecordingClient::onNotInitCmd(const std::string& text) { record("onNotInitCmd" + args({text})); }
void RecordingClient::onNotInitNotify(const std::string& line) { record("onNotInitNotify" + args({line})); }
void RecordingClient::onNotExpectedResponseError(const std::string& what)
{
    record("onNotExpectedResponseError" + args({what}));
}
void RecordingClient::onNotExpectedServerError() { record("onNotExpectedServerError()"); }
void RecordingClient::onProtocolError() { record("onProtocolError()"); }
void RecordingClient::onNoChannel() { record("onNoChannel()"); }
void RecordingClient::onNoUser() { record("onNoUser()"); }
void RecordingClient::onNoAuth() { record("onNoAuth()"); }
void RecordingClient::onReqUserTempServerError() { record("onReqUserTempServerError()"); }
void RecordingClient::onReqUserOverCount() { record("onReqUserOverCount()"); }
void RecordingClient::onReqUserDuplicate() { record("onReqUserDuplicate()"); }
void RecordingClient::onReqUserNotMatchCHKey() { record("onReqUserNotMatchCHKey()"); }
void RecordingClient::onReqUserNotMatchUserKey() { record("onReqUserNotMatchUserKey()"); }
void RecordingClient::onReqUserKicked() { record("onReqUserKicked()"); }
void RecordingClient::onReqMsgOverCount() { record("onReqMsgOverCount()"); }
