// The ping thread (test build pinging every 200 ms).
#include "ChatFixture.h"
#include "ChildProcess.h"
#include "DebugOutputCapture.h"
#include "TestPaths.h"

namespace {

class PingTest : public ChatFixture {
protected:
    PingTest() : ChatFixture(YARNLY_FASTPING_DLL) {}
};

TEST_F(PingTest, PingsWhileConnected)
{
    joinScripted();
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(skipUntil(*peer, "PING", 5000));
        send("200\n");
    }
}

TEST_F(PingTest, KeepsPingingAfterTheConnectionDroppedAndEachFailureIsPosted)
{
    joinScripted();
    peer->close();
    const auto dropped = host.take(CHATMSG_CONN_ERROR);
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->code, 3u);
    for (int i = 0; i < 3; ++i) {
        const auto failed = host.take(CHATMSG_CONN_ERROR, 5000);
        ASSERT_TRUE(failed) << i;
        EXPECT_EQ(failed->code, 4u);
    }
}

TEST_F(PingTest, UnreachableServerIsReportedByTheFirstPing)
{
    const uint16_t closedPort = [] {
        LoopbackListener listener;
        return listener.port();
    }();
    session = library.join("127.0.0.1", closedPort, host.hwnd(), nullptr, "u", "", "c", "", "n", "");
    ASSERT_NE(session, nullptr);
    const auto failed = host.take(CHATMSG_CONN_ERROR, 5000);
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->code, 4u);
}

TEST(NoWinsock, JoinStillGivesAHandleAndOnlyThePingReportsTheFailure)
{
    ScriptedServer server;
    ChildProcess host(quoteArgument(windowsPath(NOWINSOCK_HOST)) + L" " +
                          quoteArgument(windowsPath(YARNLY_FASTPING_DLL)) + L" " + std::to_wstring(server.port()),
                      {});
    EXPECT_EQ(host.wait(20000), 0u);
    EXPECT_FALSE(server.accept(0));  // the connection attempt failed before reaching the server
}

}  // namespace
