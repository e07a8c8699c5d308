// Pending controls: sent as chat messages, received from them, and resolved by their events.
#include "ChatFixture.h"
#include "DebugOutputCapture.h"
#include "DebuggerAttached.h"

namespace {

using Texts = std::vector<std::string>;

class ControlsTest : public ChatFixture {
protected:
    void SetUp() override { joinScripted(); }
};

TEST_F(ControlsTest, KickControlResolvesOnceThenKicksArePlain)
{
    library.msgEx(session, "VEX_KICK", "bob", "first", "one");
    EXPECT_EQ(nextLine(), "MSG @ VEX_KICK bob&first&one");
    library.msgEx(session, "VEX_KICK", "bob", "second", "two");
    EXPECT_EQ(nextLine(), "MSG @ VEX_KICK bob&second&two");

    send(":carol KICK bob rude\n");
    const auto extended = host.take(CHATMSG_KICK_EX);
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->recordSize, 32u);
    EXPECT_EQ(extended->texts, (Texts{"carol", "bob", "rude", "two"}));

    send(":carol KICK bob again\n");
    const auto plain = host.take(CHATMSG_KICK);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->texts, (Texts{"carol", "bob", "again"}));
    EXPECT_EQ(host.count(CHATMSG_KICK_EX), 1u);
}

TEST_F(ControlsTest, ReceivedControlIsStoredAndNotPosted)
{
    send(":bob MSG VEX_PERM carol&v1&granted\n:bob@c PERM carol up x\n");
    const auto extended = host.take(CHATMSG_PERM_EX);
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->recordSize, 48u);
    EXPECT_EQ(extended->texts, (Texts{"bob", "c", "carol", "up", "x", "granted"}));
    EXPECT_EQ(host.count(CHATMSG_MSG), 0u);
}

TEST_F(ControlsTest, NicknameControlMatchesOnlyNicknameChanges)
{
    library.msgEx(session, "VEX_SET_NICK", "bob", "v1", "v2");
    EXPECT_EQ(nextLine(), "MSG @ VEX_SET_NICK bob&v1&v2");
    send(":bob@c SET TITLE t\n:carol@c SET NICKNAME n\n:bob@c SET NICKNAME new\\snick\n");
    const auto title = host.take(CHATMSG_SET);
    const auto otherNick = host.take(CHATMSG_SET);
    const auto matched = host.take(CHATMSG_NICK_EX);
    ASSERT_TRUE(title && otherNick && matched);
    EXPECT_EQ(title->texts, (Texts{"bob", "c", "TITLE", "t"}));
    EXPECT_EQ(otherNick->texts, (Texts{"carol", "c", "NICKNAME", "n"}));
    EXPECT_EQ(matched->recordSize, 48u);
    EXPECT_EQ(matched->texts, (Texts{"bob", "c", "NICKNAME", "new nick", "v1", "v2"}));
}

TEST_F(ControlsTest, ReportNeedsBothControls)
{
    library.msgEx(session, "VEX_REPORT", "alice", "a1", "a2");
    EXPECT_EQ(nextLine(), "MSG @ VEX_REPORT alice&a1&a2");
    send(":alice@c REPORT bob why 1 x\n");
    const auto plain = host.take(CHATMSG_REPORT);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->items, (Texts{"x"}));

    DebuggerAttached debugger;
    DebugOutputCapture capture;
    library.msgEx(session, "VEX_REPORT", "bob", "b1", "b2");
    EXPECT_EQ(nextLine(), "MSG @ VEX_REPORT bob&b1&b2");
    send(":alice@c REPORT bob why\\snot 2 x y\n");
    const auto extended = host.take(CHATMSG_REPORT_EX);
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->recordSize, 76u);
    EXPECT_EQ(extended->texts, (Texts{"alice", "c", "bob", "a1", "why not", "2", "a2", "b2"}));
    EXPECT_EQ(extended->numbers, (std::vector<int32_t>{2}));
    EXPECT_EQ(extended->items, (Texts{"x", "y"}));
    EXPECT_TRUE(capture.contains("[Yarnly]arg00=x"));
    EXPECT_TRUE(capture.contains("[Yarnly]arg01=y"));

    // Both controls are gone now.
    send(":alice@c REPORT bob again 1 z\n");
    EXPECT_TRUE(host.take(CHATMSG_REPORT));
}

TEST_F(ControlsTest, ValuesAreEscapedOnTheWireAndRestored)
{
    library.msgEx(session, "VEX_SET_NICK", "a&b", "50%", "x");
    EXPECT_EQ(nextLine(), "MSG @ VEX_SET_NICK a%26b&50%25&x");
    send(":d MSG VEX_SET_NICK p%26q&1%25%26&y%2526\n:p&q@c SET NICKNAME n\n");
    const auto matched = host.take(CHATMSG_NICK_EX);
    ASSERT_TRUE(matched);
    EXPECT_EQ(matched->texts[4], "1%&");
    EXPECT_EQ(matched->texts[5], "y%26");
}

TEST_F(ControlsTest, EmptyFieldsOfAReceivedControlVanish)
{
    send(":d MSG VEX_SET_NICK x&&z\n:x@c SET NICKNAME n\n");
    const auto matched = host.take(CHATMSG_NICK_EX);
    ASSERT_TRUE(matched);
    EXPECT_EQ(matched->texts[4], "z");
    EXPECT_EQ(matched->texts[5], "");
}

TEST_F(ControlsTest, KeywordsAreCaseSensitive)
{
    library.msgEx(session, "VEX_kick", "bob", "a", "b");
    library.get(session, "K");
    EXPECT_EQ(nextLine(), "GET K");  // nothing was sent for VEX_kick
    send(":carol KICK bob r\n:d MSG VEX_kick bob&a&b\n");
    EXPECT_TRUE(host.take(CHATMSG_KICK));
    const auto message = host.take(CHATMSG_MSG);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->texts, (Texts{"d", "VEX_kick", "bob&a&b"}));
}

// The record of a post that fails is freed, and says so.
class DestroyedWindowTest : public ChatFixture {
protected:
    DestroyedWindowTest() : ChatFixture(YARNLY_COUNTED_DLL) {}
};

TEST_F(DestroyedWindowTest, RecordOfAFailedPostIsFreed)
{
    HWND gone = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(gone);
    DestroyWindow(gone);

    DebugOutputCapture capture;
    session = library.join("127.0.0.1", server.port(), gone, nullptr, "alice", "", "c", "", "n", "x");
    peer = server.accept();
    ASSERT_TRUE(peer && skipUntil(*peer, "USER"));
    send("210 1 2 t i\n200 alice n i e\n:bob MSG TEXT hi\n");
    EXPECT_TRUE(capture.waitFor("[Yarnly]post failed:10028:1400", std::chrono::seconds(5)));
    EXPECT_TRUE(capture.contains("[Yarnly]post failed:10124:1400"));
    EXPECT_EQ(heapCounts(library).live(), 0);
    EXPECT_GT(heapCounts(library).allocated, 0);
}

}  // namespace
