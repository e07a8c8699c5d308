// Floods and join/leave cycles leave no record, thread or handle behind (counted test build).
// The full 200,000-notification flood is measured by bench/chat; this one stays at a few seconds.
#include "ChatFixture.h"

#include <psapi.h>

#include <thread>

#include "ChatServer.h"
#include "ProcessCounters.h"

namespace {

constexpr int kFlood = 20000;

std::size_t privateBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                         sizeof counters);
    return counters.PrivateUsage;
}


class SoakTest : public ::testing::Test {
protected:
    SoakTest() : library(YARNLY_COUNTED_DLL), host(library, false) { startWinsock(); }

    YarnlySession joinAndAnswer()
    {
        YarnlySession s = library.join("127.0.0.1", server.port(), host.hwnd(), nullptr, "alice", "", "c", "", "n", "");
        peer = server.accept();
        EXPECT_TRUE(peer && skipUntil(*peer, "USER"));
        peer->send("210 1 2 t i\n200 alice n i e\n");
        EXPECT_TRUE(host.waitForTotal(1, 10000));
        return s;
    }

    // The lines go out in large writes, as a busy server's would.
    std::thread flood(int count)
    {
        return std::thread([this, count] {
            std::string batch;
            for (int i = 0; i < count; ++i) {
                batch += ":bob MSG TEXT notification number " + std::to_string(i) + "\n";
                if (batch.size() > 60000 || i + 1 == count) {
                    if (!peer->send(batch))
                        return;
                    batch.clear();
                }
            }
        });
    }

    // Until the host has seen nothing new for a while.
    void waitUntilDrained()
    {
        for (std::size_t seen = SIZE_MAX; seen != host.total();) {
            seen = host.total();
            Sleep(300);
        }
    }

    YarnlyLibrary library;
    HostWindow host;
    ScriptedServer server;
    std::unique_ptr<LineConnection> peer;
};

TEST_F(SoakTest, FloodIsDeliveredWholeAndLeavesNothingBehind)
{
    // A first round brings the heaps and Wine's own structures to their working size.
    YarnlySession warm = joinAndAnswer();
    flood(1000).join();
    ASSERT_TRUE(host.waitForTotal(1001, 30000));
    library.leave(warm);
    const std::size_t before = privateBytes();
    host.clear();

    YarnlySession session = joinAndAnswer();
    std::thread sender = flood(kFlood);
    EXPECT_TRUE(host.waitForTotal(1 + kFlood, 60000)) << host.total();
    sender.join();
    EXPECT_EQ(host.count(CHATMSG_MSG), static_cast<std::size_t>(kFlood));
    library.leave(session);

    EXPECT_EQ(heapCounts(library).live(), 0);
    const std::size_t after = privateBytes();
    EXPECT_LT(after, before + 2 * 1024 * 1024) << before << " -> " << after;
}

TEST_F(SoakTest, LeavingInTheMiddleOfAFloodIsClean)
{
    // Far more than arrives before the leave, so the leave surely lands mid-flood.
    const int lines = 5 * kFlood;
    YarnlySession session = joinAndAnswer();
    std::thread sender = flood(lines);
    ASSERT_TRUE(host.waitForTotal(kFlood / 10, 60000));
    library.leave(session);
    peer->close();
    sender.join();
    waitUntilDrained();
    EXPECT_LT(host.total(), static_cast<std::size_t>(lines));
    EXPECT_EQ(heapCounts(library).live(), 0);
}

TEST_F(SoakTest, HundredJoinLeaveCyclesLeaveNoThreadOrHandle)
{
    ChatServer chat;
    auto cycle = [&] {
        YarnlySession s = library.join("127.0.0.1", chat.port(), host.hwnd(), "o", "", "", "c", "", "n", "");
        ASSERT_NE(s, nullptr);
        library.msg(s, "@", "TEXT", "hi");
        library.leave(s);
    };
    cycle();
    waitUntilDrained();
    const std::size_t threads = threadCount();
    const std::size_t handles = handleCount();
    for (int i = 0; i < 100; ++i)
        cycle();
    waitUntilDrained();
    EXPECT_EQ(threadCount(), threads);
    // Wine and the in-process server stand-in move a few handles around; one handle kept per
    // cycle would show as a hundred.
    EXPECT_LE(handleCount(), handles + 8) << handles;
    EXPECT_EQ(heapCounts(library).live(), 0);
}

}  // namespace
