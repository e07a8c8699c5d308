#pragma once
// The chat server stand-in: the server side of the chat protocol for any number of channels.
//
//   USER id[:key]@channel[:chkey] nick last  -> 210 members 0 title info, 211 per member,
//                                               200 for the joiner; JOIN to the others
//   MSG to kind text...                      -> 200; ":id MSG kind text" to every member
//                                               (to "@"), else to the named member and the sender
//   SET key value...   -> 200; ":id@channel SET key value..." to every member (TITLE renames)
//   GET key            -> 200 value setter ("-" when unset)
//   WHO x              -> 211 per member ("@" for all, else the member x), 200
//   KICK member reason -> 200; ":id KICK member reason" to every member, then the member leaves
//   PERM target value  -> 200; ":id@channel PERM target value TRUE" to every member
//   REPORT target why  -> 200; ":id@channel REPORT target why 1 id" to every member
//   PING, DELNMSG      -> 200
// Requests for a channel before USER, or after a kick, are answered 502; unknown ones 501.
// A member that disconnects is announced as PART.
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Loopback.h"

class ChatServer {
public:
    explicit ChatServer(uint16_t port = 0);
    ~ChatServer();
    ChatServer(const ChatServer&) = delete;
    ChatServer& operator=(const ChatServer&) = delete;

    uint16_t port() const { return listener_.port(); }
    // Every line received from clients so far, in order, each prefixed "<connection number> ".
    std::vector<std::string> received() const;
    // Sends a line as it is to every member of the channel (a notification of the test's).
    void announce(const std::string& channel, const std::string& line);

private:
    struct Member;
    void acceptLoop();
    void reapFinished();
    void serve(std::shared_ptr<Member> member);
    void handle(Member& member, const std::string& line);
    void handleUser(Member& member, const std::vector<std::string>& f);
    void handleMsg(Member& member, const std::string& line, const std::vector<std::string>& f);
    void leave(Member& member);
    void toChannel(const std::string& channel, const std::string& line);
    std::vector<std::shared_ptr<Member>> membersOf(const std::string& channel) const;
    std::string settingOf(const std::string& channel, const std::string& key) const;

    LoopbackListener listener_;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;  // everything below
    std::vector<std::shared_ptr<Member>> connections_;
    std::map<std::string, std::map<std::string, std::pair<std::string, std::string>>> settings_;
    std::vector<std::string> received_;
    int nextNumber_ = 1;
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };
    std::vector<Worker> workers_;  // accept thread only
    std::thread acceptThread_;
};
