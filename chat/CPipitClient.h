#pragma once
// The bridge from the protocol engine of one session to the host: every callback writes its
// debugger line, and the events the host needs become records posted to the host window.
// Kick, permission, report and nickname events that have a pending control come out as extended
// records carrying the control's values; control messages are stored instead of posted.
#include <windows.h>

#include "IPipitClient.h"

class CChatSession;

class CPipitClient : public IPipitClient {
public:
    CPipitClient(HWND hostWindow, CChatSession& session) noexcept : hostWindow_(hostWindow), session_(session) {}

    void onCError(int code) override;
    void onKick(const std::string& source, const std::string& a0, const std::string& a1) override;
    void onPart(int number, const std::string& id) override;
    void onSysmsg(const std::string& text) override;
    void onJoin(int number, const std::string& id, const std::string& nickname, const std::string& info,
                const std::string& extra, bool flag) override;
    void onMsg(const std::string& source, const std::string& a0, const std::string& text) override;
    void onSet(const std::string& source1, const std::string& source2, const std::string& key,
               const std::string& value) override;
    void onNMsg(const std::string& source, int number, const std::string& a1, const std::string& text) override;
    void onDelNMsg(const std::string& source, const std::vector<std::string>& items) override;
    void onPerm(const std::string& source1, const std::string& source2, const std::string& a0,
                const std::string& a1, const std::string& a2) override;
    void onReport(const std::string& source1, const std::string& source2, const std::string& a0,
                  const std::string& a1, const std::string& a2, const std::vector<std::string>& items) override;
    void onEOEH() override;

    void onReqOpen(const std::string& text) override;
    void onReqListCh(const std::vector<Channel>& channels) override;
    void onReqUser(const User& me, const Channel& channel, const std::vector<User>& users) override;
    void onReqWho(const std::vector<User>& users) override;
    void onReqPing() override;
    void onReqMsg() override;
    void onReqSet(const std::string& key) override;
    void onReqGet(const std::string& key, const std::string& value1, const std::string& value2) override;
    void onReqDelNMsg() override;
    void onReqKick() override;
    void onReqPerm() override;
    void onReqReport() override;

    void onNotInitCmd(const std::string& text) override;
    void onNotInitNotify(const std::string& line) override;
    void onNotExpectedResponseError(const std::string& what) override;
    void onNotExpectedServerError() override;
    void onProtocolError() override;
    void onNoChannel() override;
    void onNoUser() override;
    void onNoAuth() override;

    void onReqUserTempServerError() override;
    void onReqUserOverCount() override;
    void onReqUserDuplicate() override;
    void onReqUserNotMatchCHKey() override;
    void onReqUserNotMatchUserKey() override;
    void onReqUserKicked() override;
    void onReqMsgOverCount() override;

private:
    // Posts a built record, or frees it when it is incomplete, the session stops or the post fails.
    void deliver(UINT message, void* record);
    void postCode(UINT message, WPARAM code);

    HWND hostWindow_;
    CChatSession& session_;
};
