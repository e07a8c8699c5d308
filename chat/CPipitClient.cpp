#include "CPipitClient.h"

#include "CChatSession.h"
#include "HostRecords.h"
#include "LogLine.h"
#include "PendingControls.h"

namespace {

// No exception may travel back into the engine; a callback that runs out of memory drops its
// event.
template <class Body>
void guarded(Body&& body) noexcept
{
    try {
        body();
    } catch (...) {
        writeLogLine("[Yarnly]event dropped: out of memory");
    }
}

template <class Record>
Record* newRecord(UINT message)
{
    return static_cast<Record*>(allocRecord(message));
}

// A record filled by `fill`, or null when it could not be allocated.
template <class Record, class Fill>
Record* makeRecord(UINT message, Fill&& fill)
{
    auto* r = newRecord<Record>(message);
    if (r)
        fill(*r);
    return r;
}

std::vector<MemberText> membersOf(const std::vector<User>& users)
{
    std::vector<MemberText> members;
    members.reserve(users.size());
    for (const User& u : users)
        members.push_back({u.id, u.nickname, u.info, u.extra});
    return members;
}

const char* const kKick = "VEX_KICK";
const char* const kReport = "VEX_REPORT";
const char* const kPerm = "VEX_PERM";
const char* const kNick = "VEX_SET_NICK";

}  // namespace

void CPipitClient::deliver(UINT message, void* record)
{
    if (!record)
        return;
    if (!isRecordComplete(message, record)) {
        freeRecord(message, record);
        return;
    }
    const PostOutcome outcome = session_.post(hostWindow_, message, reinterpret_cast<WPARAM>(record));
    if (outcome == PostOutcome::Posted)
        return;
    // The host never sees this record, so it is ours to free.
    freeRecord(message, record);
    if (outcome == PostOutcome::Failed)
        writeLogLine("[Yarnly]post failed:%u:%lu", message, GetLastError());
}

void CPipitClient::postCode(UINT message, WPARAM code)
{
    if (session_.post(hostWindow_, message, code) == PostOutcome::Failed)
        writeLogLine("[Yarnly]post failed:%u:%lu", message, GetLastError());
}

void CPipitClient::onCError(int code)
{
    writeLogLine("[Yarnly][Yarnly]onCError:%d", code);
    postCode(CHATMSG_CONN_ERROR, static_cast<WPARAM>(code));
}

void CPipitClient::onKick(const std::string& source, const std::string& a0, const std::string& a1)
{
    traceLogLine("[Yarnly]onKick:%s:%s:%s", source.c_str(), a0.c_str(), a1.c_str());
    guarded([&] {
        if (session_.isStopping())
            return;
        // The plain record and its _EX form share these fields.
        const auto fill = [&](auto& r) {
            r.source = copyText(source);
            r.member = copyText(a0);
            r.reason = copyText(a1);
        };
        if (const auto control = session_.controls().find(kKick, a0)) {
            deliver(CHATMSG_KICK_EX, makeRecord<ChatKickExRecord>(CHATMSG_KICK_EX, [&](auto& r) {
                fill(r);
                r.controlValue2 = copyText(control->value2);
            }));
            session_.controls().remove(kKick, a0);
            return;
        }
        deliver(CHATMSG_KICK, makeRecord<ChatKickRecord>(CHATMSG_KICK, fill));
    });
}

void CPipitClient::onPart(int number, const std::string& id)
{
    traceLogLine("[Yarnly]onPart:%d:%s", number, id.c_str());
    if (session_.isStopping())
        return;
    auto* r = newRecord<ChatPartRecord>(CHATMSG_PART);
    if (r) {
        r->number = number;
        r->id = copyText(id);
    }
    deliver(CHATMSG_PART, r);
}

void CPipitClient::onSysmsg(const std::string& text)
{
    traceLogLine("[Yarnly]onSysmsg:%s", text.c_str());
    if (session_.isStopping())
        return;
    auto* r = newRecord<ChatSysmsgRecord>(CHATMSG_SYSMSG);
    if (r)
        r->text = copyText(text);
    deliver(CHATMSG_SYSMSG, r);
}

void CPipitClient::onJoin(int number, const std::string& id, const std::string& nickname, const std::string& info,
                          const std::string& extra, bool flag)
{
    traceLogLine("[Yarnly]onJoin:%d:%s:%s:%s:%s:%d", number, id.c_str(), nickname.c_str(), info.c_str(),
                 extra.c_str(), flag ? 1 : 0);
    if (session_.isStopping())
        return;
    auto* r = newRecord<ChatJoinRecord>(CHATMSG_JOIN);
    if (r) {
        r->number = number;
        r->id = copyText(id);
        r->nickname = copyText(nickname);
        r->info = copyText(info);
        r->extra = copyText(extra);
        r->flag = flag ? 1 : 0;
    }
    deliver(CHATMSG_JOIN, r);
}

void CPipitClient::onMsg(const std::string& source, const std::string& a0, const std::string& text)
{
    traceLogLine("[Yarnly]onMsg:%s:%s:%s", source.c_str(), a0.c_str(), text.c_str());
    guarded([&] {
        if (session_.isStopping())
            return;
        if (controlKindOf(a0)) {
            session_.receiveControl(a0, text);
            return;
        }
        auto* r = newRecord<ChatMsgRecord>(CHATMSG_MSG);
        if (r) {
            r->source = copyText(source);
            r->kind = copyText(a0);
            r->text = copyText(text);
        }
        deliver(CHATMSG_MSG, r);
    });
}

void CPipitClient::onSet(const std::string& source1, const std::string& source2, const std::string& key,
                         const std::string& value)
{
    traceLogLine("[Yarnly]onSet:%s:%s:%s:%s", source1.c_str(), source2.c_str(), key.c_str(), value.c_str());
    guarded([&] {
        if (session_.isStopping())
            return;
        const auto fill = [&](auto& r) {
            r.source1 = copyText(source1);
            r.source2 = copyText(source2);
            r.key = copyText(key);
            r.value = copyText(value);
        };
        if (key == "NICKNAME") {
            if (const auto control = session_.controls().find(kNick, source1)) {
                deliver(CHATMSG_NICK_EX, makeRecord<ChatNickExRecord>(CHATMSG_NICK_EX, [&](auto& r) {
                    fill(r);
                    r.controlValue1 = copyText(control->value1);
                    r.controlValue2 = copyText(control->value2);
                }));
                session_.controls().remove(kNick, source1);
                return;
            }
        }
        deliver(CHATMSG_SET, makeRecord<ChatSetRecord>(CHATMSG_SET, fill));
    });
}

void CPipitClient::onNMsg(const std::string& source, int number, const std::string& a1, const std::string& text)
{
    traceLogLine("[Yarnly]onNMsg:%s:%d:%s:%s", source.c_str(), number, a1.c_str(), text.c_str());
}

void CPipitClient::onDelNMsg(const std::string& source, const std::vector<std::string>& items)
{
    traceLogLine("[Yarnly]onDelNMsg:%s::CONTAINER%d", source.c_str(), static_cast<int>(items.size()));
}

void CPipitClient::onPerm(const std::string& source1, const std::string& source2, const std::string& a0,
                          const std::string& a1, const std::string& a2)
{
    traceLogLine("[Yarnly]onPerm:%s:%s:%s:%s:%s", source1.c_str(), source2.c_str(), a0.c_str(), a1.c_str(),
                 a2.c_str());
    guarded([&] {
        if (session_.isStopping())
            return;
        const auto fill = [&](auto& r) {
            r.source1 = copyText(source1);
            r.source2 = copyText(source2);
            r.target = copyText(a0);
            r.value = copyText(a1);
            r.extra = copyText(a2);
        };
        if (const auto control = session_.controls().find(kPerm, a0)) {
            deliver(CHATMSG_PERM_EX, makeRecord<ChatPermExRecord>(CHATMSG_PERM_EX, [&](auto& r) {
                fill(r);
                r.controlValue2 = copyText(control->value2);
            }));
            session_.controls().remove(kPerm, a0);
            return;
        }
        deliver(CHATMSG_PERM, makeRecord<ChatPermRecord>(CHATMSG_PERM, fill));
    });
}

void CPipitClient::onReport(const std::string& source1, const std::string& source2, const std::string& a0,
                            const std::string& a1, const std::string& a2, const std::vector<std::string>& items)
{
    traceLogLine("[Yarnly]onReport:%s:%s:%s:%s:%s:%d", source1.c_str(), source2.c_str(), a0.c_str(), a1.c_str(),
                 a2.c_str(), static_cast<int>(items.size()));
    guarded([&] {
        if (session_.isStopping())
            return;
        const auto fill = [&](auto& r) {
            r.source1 = copyText(source1);
            r.source2 = copyText(source2);
            r.target = copyText(a0);
            r.reason = copyText(a1);
            r.extra = copyText(a2);
            r.itemCount = static_cast<int32_t>(items.size());
            r.items = copyTextList(items);
        };
        const auto reporter = session_.controls().find(kReport, source1);
        const auto target = session_.controls().find(kReport, a0);
        if (reporter && target) {
            deliver(CHATMSG_REPORT_EX, makeRecord<ChatReportExRecord>(CHATMSG_REPORT_EX, [&](auto& r) {
                fill(r);
                r.reporterValue1 = copyText(reporter->value1);
                r.reporterValue2 = copyText(reporter->value2);
                r.targetValue2 = copyText(target->value2);
                for (std::size_t i = 0; i < items.size(); ++i)
                    traceLogLine("[Yarnly]arg%02d=%s", static_cast<int>(i), items[i].c_str());
            }));
            session_.controls().remove(kReport, source1);
            session_.controls().remove(kReport, a0);
            return;
        }
        deliver(CHATMSG_REPORT, makeRecord<ChatReportRecord>(CHATMSG_REPORT, fill));
    });
}

void CPipitClient::onEOEH()
{
    traceLogLine("[Yarnly]onEOEH");
}

void CPipitClient::onReqOpen(const std::string& text)
{
    traceLogLine("[Yarnly]onReqOpen:%s", text.c_str());
}

void CPipitClient::onReqListCh(const std::vector<Channel>& channels)
{
    traceLogLine("[Yarnly]onReqListCh:CONTAINER%d", static_cast<int>(channels.size()));
}

void CPipitClient::onReqUser(const User& me, const Channel& channel, const std::vector<User>& users)
{
    traceLogLine("[Yarnly]onReqUser:%s:%s::CONTAINER%d", me.id.c_str(), channel.title.c_str(),
                 static_cast<int>(users.size()));
    guarded([&] {
        if (session_.isStopping())
            return;
        auto* r = newRecord<ChatUserRecord>(CHATMSG_USER);
        if (r) {
            r->channelValueA = channel.valueA;
            r->channelValueB = channel.valueB;
            r->channelTitle = copyText(channel.title);
            r->channelInfo = copyText(channel.info);
            r->id = copyText(me.id);
            r->nickname = copyText(me.nickname);
            r->info = copyText(me.info);
            r->extra = copyText(me.extra);
            r->memberCount = static_cast<int32_t>(users.size());
            r->members = copyMemberList(membersOf(users));
        }
        deliver(CHATMSG_USER, r);
    });
}

void CPipitClient::onReqWho(const std::vector<User>& users)
{
    traceLogLine("[Yarnly]onReqWho:CONTAINER%d", static_cast<int>(users.size()));
    guarded([&] {
        if (session_.isStopping())
            return;
        auto* r = newRecord<ChatWhoRecord>(CHATMSG_WHO);
        if (r) {
            r->memberCount = static_cast<int32_t>(users.size());
            r->members = copyMemberList(membersOf(users));
        }
        deliver(CHATMSG_WHO, r);
    });
}

void CPipitClient::onReqPing()
{
    traceLogLine("[Yarnly]onReqPing");
}

void CPipitClient::onReqMsg()
{
    traceLogLine("[Yarnly]onReqMsg");
}

void CPipitClient::onReqSet(const std::string& key)
{
    traceLogLine("[Yarnly]onReqSet:%s", key.c_str());
    if (session_.isStopping())
        return;
    auto* r = newRecord<ChatSetReplyRecord>(CHATMSG_SET_REPLY);
    if (r)
        r->key = copyText(key);
    deliver(CHATMSG_SET_REPLY, r);
}

void CPipitClient::onReqGet(const std::string& key, const std::string& value1, const std::string& value2)
{
    traceLogLine("[Yarnly]onReqGet:%s:%s,%s", key.c_str(), value1.c_str(), value2.c_str());
    if (session_.isStopping())
        return;
    auto* r = newRecord<ChatGetRecord>(CHATMSG_GET);
    if (r) {
        r->key = copyText(key);
        r->value1 = copyText(value1);
        r->value2 = copyText(value2);
    }
    deliver(CHATMSG_GET, r);
}

void CPipitClient::onReqDelNMsg()
{
    traceLogLine("[Yarnly]onReqDelNMsg");
}

void CPipitClient::onReqKick()
{
    traceLogLine("[Yarnly]onReqKick");
}

void CPipitClient::onReqPerm()
{
    traceLogLine("[Yarnly]onReqPerm");
}

void CPipitClient::onReqReport()
{
    traceLogLine("[Yarnly]onReqReport");
}

void CPipitClient::onNotInitCmd(const std::string& text)
{
    writeLogLine("[Yarnly]onNotInitCmd:%s", text.c_str());
}

void CPipitClient::onNotInitNotify(const std::string& line)
{
    writeLogLine("[Yarnly]onNotInitNotify:%s", line.c_str());
}

void CPipitClient::onNotExpectedResponseError(const std::string& what)
{
    writeLogLine("[Yarnly]onNotExpectedResponseError:%s", what.c_str());
    postCode(CHATMSG_SERVER_ERROR, 0);
}

void CPipitClient::onNotExpectedServerError()
{
    writeLogLine("[Yarnly]onNotExpectedServerError");
    postCode(CHATMSG_SERVER_ERROR, 0);
}

void CPipitClient::onProtocolError()
{
    writeLogLine("[Yarnly]onProtocolError");
    postCode(CHATMSG_SERVER_ERROR, 0);
}

void CPipitClient::onNoChannel()
{
    writeLogLine("[Yarnly]onNoChannel");
    postCode(CHATMSG_SERVER_ERROR, 0);
}

void CPipitClient::onNoUser()
{
    writeLogLine("[Yarnly]onNoUser");
}

void CPipitClient::onNoAuth()
{
    writeLogLine("[Yarnly]onNoAuth");
}

void CPipitClient::onReqUserTempServerError()
{
    writeLogLine("[Yarnly]onReqUserTempServerError");
}

void CPipitClient::onReqUserOverCount()
{
    writeLogLine("[Yarnly]onReqUserOverCount");
}

void CPipitClient::onReqUserDuplicate()
{
    writeLogLine("[Yarnly]onReqUserDuplicate");
}

void CPipitClient::onReqUserNotMatchCHKey()
{
    writeLogLine("[Yarnly]onReqUserNotMatchCHKey");
}

void CPipitClient::onReqUserNotMatchUserKey()
{
    writeLogLine("[Yarnly]onReqUserNotMatchUserKey");
}

void CPipitClient::onReqUserKicked()
{
    writeLogLine("[Yarnly]onReqUserKicked");
    postCode(CHATMSG_KICKED, 0);
}

void CPipitClient::onReqMsgOverCount()
{
    writeLogLine("[Yarnly]onReqMsgOverCount");
}
