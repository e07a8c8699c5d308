#pragma once
// A client that does nothing, so the figures show the engine alone.
#include "IPipitClient.h"

class NullClient : public IPipitClient {
public:
    void onCError(int) override {}
    void onKick(const std::string&, const std::string&, const std::string&) override {}
    void onPart(int, const std::string&) override {}
    void onSysmsg(const std::string&) override {}
    void onJoin(int, const std::string&, const std::string&, const std::string&, const std::string&, bool) override {}
    void onMsg(const std::string&, const std::string&, const std::string&) override {}
    void onSet(const std::string&, const std::string&, const std::string&, const std::string&) override {}
    void onNMsg(const std::string&, int, const std::string&, const std::string&) override {}
    void onDelNMsg(const std::string&, const std::vector<std::string>&) override {}
    void onPerm(const std::string&, const std::string&, const std::string&, const std::string&,
                const std::string&) override {}
    void onReport(const std::string&, const std::string&, const std::string&, const std::string&, const std::string&,
                  const std::vector<std::string>&) override {}
    void onEOEH() override {}
    void onReqOpen(const std::string&) override {}
    void onReqListCh(const std::vector<Channel>&) override {}
    void onReqUser(const User&, const Channel&, const std::vector<User>&) override {}
    void onReqWho(const std::vector<User>&) override {}
    void onReqPing() override {}
    void onReqMsg() override {}
    void onReqSet(const std::string&) override {}
    void onReqGet(const std::string&, const std::string&, const std::string&) override {}
    void onReqDelNMsg() override {}
    void onReqKick() override {}
    void onReqPerm() override {}
    void onReqReport() override {}
    void onNotInitCmd(const std::string&) override {}
    void onNotInitNotify(const std::string&) override {}
    void onNotExpectedResponseError(const std::string&) override {}
    void onNotExpectedServerError() override {}
    void onProtocolError() override {}
    void onNoChannel() override {}
    void onNoUser() override {}
    void onNoAuth() override {}
    void onReqUserTempServerError() override {}
    void onReqUserOverCount() override {}
    void onReqUserDuplicate() override {}
    void onReqUserNotMatchCHKey() override {}
    void onReqUserNotMatchUserKey() override {}
    void onReqUserKicked() override {}
    void onReqMsgOverCount() override {}
};

// A chat message as a busy channel sends it: 100 bytes with its LF.
inline std::string typicalMsgLine()
{
    const std::string head = ":u1234@channel MSG nick ";
    return head + std::string(100 - head.size() - 1, 'x') + "\n";
}
