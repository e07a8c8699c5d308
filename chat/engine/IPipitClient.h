#pragma once
// The callbacks through which the engine reports every event of one chat connection: exactly one
// call per event. Every callback but onCError runs on the thread inside PipitService::run;
// onCError also runs on whichever thread saw its send fail. Arguments refer to engine objects
// that die right after the call: copy what you keep. Callbacks must not throw.
//
// The slot order below is fixed; slots 13, 14 and 25 have no caller in the engine but keep their
// places.
#include "Channel.h"
#include "User.h"

#include <string>
#include <vector>

class IPipitClient {
public:
    virtual ~IPipitClient() = default;

    // 1: transport error code, see TransportError in IPipitSocket.h (3 receive, 4 send).
    virtual void onCError(int code) = 0;

    // 2-12: server notifications.
    virtual void onKick(const std::string& source, const std::string& a0, const std::string& a1) = 0;
    virtual void onPart(int number, const std::string& id) = 0;
    virtual void onSysmsg(const std::string& text) = 0;
    virtual void onJoin(int number, const std::string& id, const std::string& nickname,
                        const std::string& info, const std::string& extra, bool flag) = 0;
    virtual void onMsg(const std::string& source, const std::string& a0, const std::string& text) = 0;
    virtual void onSet(const std::string& source1, const std::string& source2, const std::string& key,
                       const std::string& value) = 0;
    virtual void onNMsg(const std::string& source, int number, const std::string& a1,
                        const std::string& text) = 0;
    virtual void onDelNMsg(const std::string& source, const std::vector<std::string>& items) = 0;
    virtual void onPerm(const std::string& source1, const std::string& source2, const std::string& a0,
                        const std::string& a1, const std::string& a2) = 0;
    virtual void onReport(const std::string& source1, const std::string& source2, const std::string& a0,
                          const std::string& a1, const std::string& a2,
                          const std::vector<std::string>& items) = 0;
    virtual void onEOEH() = 0;

    // 13-24: answers to requests.
    virtual void onReqOpen(const std::string& text) = 0;
    virtual void onReqListCh(const std::vector<Channel>& channels) = 0;
    virtual void onReqUser(const User& me, const Channel& channel, const std::vector<User>& users) = 0;
    virtual void onReqWho(const std::vector<User>& users) = 0;
    virtual void onReqPing() = 0;
    virtual void onReqMsg() = 0;
    virtual void onReqSet(const std::string& key) = 0;
    virtual void onReqGet(const std::string& key, const std::string& value1, const std::string& value2) = 0;
    virtual void onReqDelNMsg() = 0;
    virtual void onReqKick() = 0;
    virtual void onReqPerm() = 0;
    virtual void onReqReport() = 0;

    // 25-32: protocol and general errors.
    virtual void onNotInitCmd(const std::string& text) = 0;
    virtual void onNotInitNotify(const std::string& line) = 0;
    // The keyword of the command that got a response it did not expect, or "PARSE_ERROR".
    virtual void onNotExpectedResponseError(const std::string& what) = 0;
    virtual void onNotExpectedServerError() = 0;
    virtual void onProtocolError() = 0;
    virtual void onNoChannel() = 0;
    virtual void onNoUser() = 0;
    virtual void onNoAuth() = 0;

    // 33-39: refusals of USER and MSG.
    virtual void onReqUserTempServerError() = 0;
    virtual void onReqUserOverCount() = 0;
    virtual void onReqUserDuplicate() = 0;
    virtual void onReqUserNotMatchCHKey() = 0;
    virtual void onReqUserNotMatchUserKey() = 0;
    virtual void onReqUserKicked() = 0;
    virtual void onReqMsgOverCount() = 0;
};
