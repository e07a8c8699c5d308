// Joining, leaving and the requests of a session, against a scripted server.
#include "ChatFixture.h"
#include "DebugOutputCapture.h"
#include "DebuggerAttached.h"
#include "ProcessCounters.h"

#include <chrono>

namespace {

class SessionTest : public ChatFixture {};

TEST_F(SessionTest, JoinWithoutUserIdMarksPrivateFirstAndOwnerLast)
{
    session = library.join("127.0.0.1", server.port(), host.hwnd(), "own er", nullptr, nullptr, "c", nullptr,
                           "a b", nullptr);
    ASSERT_NE(session, nullptr);
    peer = server.accept();
    ASSERT_TRUE(peer);
    EXPECT_EQ(nextLine(), "SET PRIVATE TRUE");
    EXPECT_EQ(nextLine(), "USER guest@c a\\sb ");
    EXPECT_EQ(nextLine(), "SET OWNER own er");
}

TEST_F(SessionTest, JoinWithKeysSendsThemInTheUserLine)
{
    session = library.join("127.0.0.1", server.port(), host.hwnd(), "", "u", "k", "c", "h", "n", "last");
    peer = server.accept();
    ASSERT_TRUE(peer);
    EXPECT_EQ(nextLine(), "USER u:k@c:h n last");
    library.get(session, "X");
    EXPECT_EQ(nextLine(), "GET X");  // no SET OWNER for an empty owner
}

TEST_F(SessionTest, RefusedJoinsStartNoThread)
{
    const std::size_t threads = threadCount();
    const HWND window = host.hwnd();
    EXPECT_EQ(library.join(nullptr, server.port(), window, "", "u", "", "c", "", "n", ""), nullptr);
    EXPECT_EQ(library.join("127.0.0.1", 0, window, "", "u", "", "c", "", "n", ""), nullptr);
    EXPECT_EQ(library.join("127.0.0.1", 70000, window, "", "u", "", "c", "", "n", ""), nullptr);
    EXPECT_EQ(library.join("127.0.0.1", server.port(), nullptr, "", "u", "", "c", "", "n", ""), nullptr);
    EXPECT_EQ(threadCount(), threads);
    EXPECT_FALSE(server.accept(200));
}

TEST_F(SessionTest, RequestsOfANullSessionDoNothing)
{
    library.leave(nullptr);
    library.msg(nullptr, "a", "b", "c");
    library.msgEx(nullptr, "VEX_KICK", "a", "b", "c");
    library.kick(nullptr, "a");
    library.report(nullptr, "a", "b");
    library.perm(nullptr, "a", "b");
    library.who(nullptr, "a");
    library.get(nullptr, "a");
    library.set(nullptr, "a", "b");
    EXPECT_EQ(host.total(), 0u);
}

TEST_F(SessionTest, RequestsGoOutAsTheirLines)
{
    joinScripted();
    library.msg(session, "@", "TEXT", "hello world");
    EXPECT_EQ(nextLine(), "MSG @ TEXT hello world");
    library.kick(session, "bob");
    EXPECT_EQ(nextLine(), "KICK bob TRUE");
    library.report(session, "bob", "spam");
    EXPECT_EQ(nextLine(), "REPORT bob spam");
    library.perm(session, "bob", "op");
    EXPECT_EQ(nextLine(), "PERM bob op");
    library.who(session, "x y");
    EXPECT_EQ(nextLine(), "WHO x\\sy");
    library.set(session, "OWNER", "a b");
    EXPECT_EQ(nextLine(), "SET OWNER a b");
}

TEST_F(SessionTest, LeaveDuringBlockedReadEndsBothThreadsAtOnceAndPostsNothing)
{
    const std::size_t threadsBefore = threadCount();
    DebugOutputCapture capture;
    joinScripted();
    EXPECT_EQ(threadCount(), threadsBefore + 2);
    host.clear();

    const auto start = std::chrono::steady_clock::now();
    library.leave(session);
    session = nullptr;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(capture.contains("[Yarnly](worker) stop:i got it"));
    EXPECT_TRUE(capture.contains("[Yarnly](ping) stop:i got it"));
    EXPECT_EQ(threadCount(), threadsBefore);

    // The failed receive of the closed socket is logged, never posted.
    Sleep(300);
    EXPECT_EQ(host.total(), 0u);
    EXPECT_FALSE(peer->readLine(200));  // the connection is closed
}

TEST_F(SessionTest, NotificationsAfterLeaveBeganReachNobody)
{
    joinScripted();
    host.clear();
    // Lines in flight while the session goes: whatever the worker still reads is not posted.
    send(":bob MSG TEXT one\n");
    ASSERT_TRUE(host.take(CHATMSG_MSG));
    for (int i = 0; i < 200; ++i)
        peer->send(":bob MSG TEXT flood\n");
    library.leave(session);
    session = nullptr;
    const std::size_t atLeave = host.total();
    Sleep(300);
    EXPECT_EQ(host.total(), atLeave);
}

TEST_F(SessionTest, UnreachableServerGivesAHandleAndPostsNothing)
{
    DebugOutputCapture capture;
    const uint16_t closedPort = [] {
        LoopbackListener listener;
        return listener.port();
    }();
    session = library.join("127.0.0.1", closedPort, host.hwnd(), "o", "u", "", "c", "", "n", "");
    ASSERT_NE(session, nullptr);
    EXPECT_TRUE(capture.waitFor("[Yarnly](worker) stop:i got it", std::chrono::seconds(5)));
    library.set(session, "TITLE", "t");  // waits for the attempt, then sends nothing
    Sleep(300);
    EXPECT_EQ(host.total(), 0u);
}

TEST_F(SessionTest, RefusedUserOnlyLogs)
{
    DebugOutputCapture capture;
    joinUnanswered();
    ASSERT_TRUE(skipUntil(*peer, "USER"));
    send("511\n");
    EXPECT_TRUE(capture.waitFor("[Yarnly]onReqUserDuplicate", std::chrono::seconds(5)));
    library.msg(session, "@", "TEXT", "x");
    EXPECT_EQ(nextLine(), "MSG @ TEXT x");
    send("502\n");
    EXPECT_TRUE(host.take(CHATMSG_SERVER_ERROR));
    EXPECT_TRUE(capture.contains("[Yarnly]onNoChannel"));
}

TEST_F(SessionTest, RoutineEventsAreLoggedOnlyForADebugger)
{
    DebugOutputCapture capture;
    joinScripted();
    send(":bob MSG TEXT hi\n:x UNKNOWN a\n");
    EXPECT_TRUE(capture.waitFor("[Yarnly]onNotInitNotify:x UNKNOWN a", std::chrono::seconds(5)));
    ASSERT_TRUE(host.take(CHATMSG_MSG));
    for (const std::string& line : capture.lines())
        EXPECT_EQ(line.find("[Yarnly]onMsg"), std::string::npos) << line;
}

TEST_F(SessionTest, LogLinesOfEngineEvents)
{
    DebuggerAttached debugger;
    DebugOutputCapture capture;
    joinScripted("alice", {"bob"});
    EXPECT_TRUE(capture.contains("[Yarnly]onReqUser:alice:title::CONTAINER1"));
    send(":bob JOIN 3 b i e true\n:x NMSG 4 y z\n:x UNKNOWN a\n");
    EXPECT_TRUE(capture.waitFor("[Yarnly]onNotInitNotify:x UNKNOWN a", std::chrono::seconds(5)));
    EXPECT_TRUE(capture.contains("[Yarnly]onJoin:3:bob:b:i:e:1"));
    EXPECT_TRUE(capture.contains("[Yarnly]onNMsg:x:4:y:z"));
    library.get(session, "K");
    EXPECT_EQ(nextLine(), "GET K");
    send("200 a b\n");
    EXPECT_TRUE(capture.waitFor("[Yarnly]onReqGet:K:a,b", std::chrono::seconds(5)));
    peer->close();
    EXPECT_TRUE(capture.waitFor("[Yarnly][Yarnly]onCError:3", std::chrono::seconds(5)));
}

TEST_F(SessionTest, SeveralSessionsLiveAtOnce)
{
    joinScripted("alice");
    auto firstPeer = std::move(peer);
    const YarnlySession first = session;
    session = nullptr;
    joinScripted("bob");
    ASSERT_TRUE(firstPeer->send(":x MSG TEXT to-first\n"));
    ASSERT_TRUE(peer->send(":x MSG TEXT to-second\n"));
    const auto a = host.take(CHATMSG_MSG, 10000, reinterpret_cast<LPARAM>(first));
    const auto b = host.take(CHATMSG_MSG, 10000, reinterpret_cast<LPARAM>(session));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->texts[2], "to-first");
    EXPECT_EQ(b->texts[2], "to-second");
    library.leave(first);
}

}  // namespace
