#pragma once
// A client that writes down every callback as one text, e.g. "onMsg(src|a0|hello)", so tests can
// compare the whole sequence of events at once. Safe to call from several threads.
#include "IPipitClient.h"

#include <mutex>
#include <string>
#include <vector>

class RecordingClient : public IPipitClient {
public:
    std::vector<std::string> calls() const;
    void clear();

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
    void record(std::string call);

    mutable std::mutex mutex_;
    std::vector<std::string> calls_;
};

// "{id,nickname,info,extra}" and "{valueA,valueB,title,info}".
std::string describe(const User& user);
std::string describe(const Channel& channel);
