#pragma once
// A host with its window, a loaded Yarnly64.dll and a scripted chat server.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "HostWindow.h"
#include "ScriptedServer.h"
#include "YarnlyLibrary.h"

class ChatFixture : public ::testing::Test {
protected:
    explicit ChatFixture(const char* libraryPath = YARNLY_DLL);
    ~ChatFixture() override;

    // Joins user `userId` to channel "c" and answers the USER request with a channel line, one
    // 211 line per member id in `members` and the 200 line; the CHATMSG_USER has been taken.
    YarnlySession joinScripted(const std::string& userId = "alice", const std::vector<std::string>& members = {});
    YarnlySession joinUnanswered(const std::string& userId = "alice");
    // The next line the session sent, PINGs skipped.
    std::string nextLine();
    void send(const std::string& lines) { ASSERT_TRUE(peer->send(lines)); }

    YarnlyLibrary library;
    HostWindow host;
    ScriptedServer server;
    std::unique_ptr<LineConnection> peer;
    YarnlySession session = nullptr;
};
