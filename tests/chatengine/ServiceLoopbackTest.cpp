// PipitService end to end: the real transport and lock against a scripted server on loopback.
#include "CPipitLock.h"
#include "CPipitSocket.h"
#include "DebugOutputCapture.h"
#include "LoopbackServer.h"
#include "PipitService.h"
#include "RecordingClient.h"

#include <gtest/gtest.h>

#include <thread>

using Calls = std::vector<std::string>;

namespace {

// The server's part of a conversation: lines it expects to read, then bytes it sends.
struct Exchange {
    std::vector<std::string> expect;
    std::string reply;
};

class ServiceLoopbackTest : public testing::Test {
protected:
    ServiceLoopbackTest()
    {
        auto owned = std::make_unique<RecordingClient>();
        client = owned.get();
        auto commands = std::make_unique<CommandFactory>(*owned);
        auto notifications = std::make_unique<NotifyFactory>(*owned);
        auto errors = std::make_unique<PipitError>(*owned);
        service = std::make_unique<PipitService>(std::move(owned), std::make_unique<CPipitSocket>(),
                                                 std::make_unique<CPipitLock>(), std::move(commands),
                                                 std::move(notifications), std::move(errors));
    }

    // Plays the exchanges on the accepted connection and closes it; what it read that it did
    // not expect ends up in received.
    void serve(std::vector<Exchange> script)
    {
        server_ = std::thread([this, script = std::move(script)] {
            SocketHandle peer = listener.accept();
            for (const Exchange& step : script) {
                for (const std::string& expected : step.expect) {
                    bool ok = false;
                    const std::string line = receiveLine(peer.get(), ok);
                    if (line != expected)
                        mismatch += "expected '" + expected + "', read '" + line + "'; ";
                }
                sendAll(peer.get(), step.reply);
            }
        });
    }

    // Connects, runs the read loop on a worker thread until the server closes, joins both.
    void connectAndRun(const std::function<void()>& requests)
    {
        ASSERT_TRUE(service->connect("127.0.0.1", listener.port()));
        bool result = true;
        std::thread worker([&] { result = service->run(); });
        requests();
        worker.join();
        server_.join();
        EXPECT_FALSE(result);
        EXPECT_EQ(mismatch, "");
    }

    WinsockSession winsock;
    LoopbackServer listener;
    RecordingClient* client = nullptr;
    std::unique_ptr<PipitService> service;
    std::string mismatch;

private:
    std::thread server_;
};

} // namespace

TEST_F(ServiceLoopbackTest, BackToBackCommandsAreAnsweredInOrder)
{
    serve({{{"MSG a b hello", "PING"}, "200\r\n200\n"}});
    connectAndRun([&] {
        service->msg("a", "b", "hello");
        service->sendCommand({"PING"});
    });
    EXPECT_EQ(client->calls(), (Calls{"onReqMsg()", "onReqPing()", "onCError(3)"}));
}

TEST_F(ServiceLoopbackTest, UserCollectsUntilItsLastLine)
{
    serve({{{"USER u:k@c n\\sm x"}, "210 3 4 my\\stitle info\n211 a b c d\n"},
           {{}, "211 e f\\sg h i\n200 u n\\sm i e\n"}});
    connectAndRun([&] { service->user("u", "k", "c", "", "n m", "x"); });
    EXPECT_EQ(client->calls(),
              (Calls{"onReqUser({u,n m,i,e}|{3,4,my title,info}|[{a,b,c,d},{e,f g,h,i}])", "onCError(3)"}));
}

TEST_F(ServiceLoopbackTest, GeneralErrorDropsTheHeadCommand)
{
    serve({{{"MSG a b c", "KICK m TRUE"}, "502\n200\n"}});
    connectAndRun([&] {
        service->msg("a", "b", "c");
        service->kick("m");
    });
    EXPECT_EQ(client->calls(), (Calls{"onNoChannel()", "onReqKick()", "onCError(3)"}));
}

TEST_F(ServiceLoopbackTest, CodesOfTwoOrFourBytesAreParseErrors)
{
    serve({{{"PING", "PING", "PING"}, "20\n2000 x\n200\n"}});
    connectAndRun([&] {
        for (int i = 0; i < 3; ++i)
            service->sendCommand({"PING"});
    });
    EXPECT_EQ(client->calls(), (Calls{"onNotExpectedResponseError(PARSE_ERROR)",
                                      "onNotExpectedResponseError(PARSE_ERROR)", "onReqPing()", "onCError(3)"}));
}

TEST_F(ServiceLoopbackTest, UnknownKeywordSendsNothing)
{
    serve({{{"PING"}, "200\n"}});
    connectAndRun([&] {
        service->sendCommand({"HELLO", "x"});
        service->sendCommand({"PING"});
    });
    EXPECT_EQ(client->calls(), (Calls{"onReqPing()", "onCError(3)"}));
}

TEST_F(ServiceLoopbackTest, NotificationsAndUnansweredResponses)
{
    DebugOutputCapture debug;
    serve({{{}, ":s MSG a hi  there\n200 stray\n:bogus\n"}});
    connectAndRun([] {});
    EXPECT_EQ(client->calls(), (Calls{"onMsg(s|a|hi  there)", "onNotInitNotify(bogus)", "onCError(3)"}));
    EXPECT_TRUE(debug.contains("[Yarnly]engine:response without pending command dropped:200 stray"));
}

TEST_F(ServiceLoopbackTest, SendAfterTheConnectionEndedFailsOnTheSendingThread)
{
    serve({});
    connectAndRun([] {});
    client->clear();
    service->sendCommand({"PING"});
    // Raised before sendCommand returned, so on this thread.
    EXPECT_EQ(client->calls(), Calls{"onCError(4)"});
}

TEST_F(ServiceLoopbackTest, CloseEndsTheReadLoop)
{
    std::thread peer([&] { waitForPeerClose(listener.accept().get()); });
    ASSERT_TRUE(service->connect("127.0.0.1", listener.port()));
    std::thread worker([&] { service->run(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    service->close();
    worker.join();
    peer.join();
    EXPECT_EQ(client->calls(), Calls{"onCError(3)"});
}

TEST_F(ServiceLoopbackTest, ConcurrentSendersEachGetTheirAnswer)
{
    constexpr int perThread = 100;
    std::thread peer([&] {
        SocketHandle s = listener.accept();
        for (int i = 0; i < 2 * perThread; ++i) {
            bool ok = false;
            if (receiveLine(s.get(), ok) != "PING" || !sendAll(s.get(), "200\n"))
                mismatch += "bad line; ";
        }
    });
    ASSERT_TRUE(service->connect("127.0.0.1", listener.port()));
    std::thread worker([&] { service->run(); });
    auto pinger = [&] {
        for (int i = 0; i < perThread; ++i)
            service->sendCommand({"PING"});
    };
    std::thread a(pinger), b(pinger);
    a.join();
    b.join();
    peer.join();
    worker.join();
    const Calls calls = client->calls();
    ASSERT_EQ(calls.size(), 2u * perThread + 1);
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "onReqPing()"), 2 * perThread);
    EXPECT_EQ(calls.back(), "onCError(3)");
    EXPECT_EQ(mismatch, "");
}

TEST_F(ServiceLoopbackTest, UnreachableServerIsNotReported)
{
    const std::uint16_t unused = LoopbackServer().port();
    EXPECT_FALSE(service->connect("127.0.0.1", unused));
    EXPECT_TRUE(client->calls().empty());
}
