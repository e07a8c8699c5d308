// Every record the library posts, read at its byte offsets, and its release.
#include "ChatFixture.h"
#include "DebugOutputCapture.h"

namespace {

using Texts = std::vector<std::string>;

class RecordsTest : public ChatFixture {};

TEST_F(RecordsTest, UserReplyWithThreeMembers)
{
    joinUnanswered("alice");
    ASSERT_TRUE(skipUntil(*peer, "USER"));
    send("210 7 -3 my\\stitle chinfo\n211 bob b\\sb ib eb\n211 carol nc ic ec\n211 dave nd id ed\n"
         "200 alice na ia ea\n");
    const auto user = host.take(CHATMSG_USER);
    ASSERT_TRUE(user);
    EXPECT_EQ(user->session, reinterpret_cast<LPARAM>(session));
    EXPECT_EQ(user->recordSize, 68u);
    EXPECT_EQ(user->numbers, (std::vector<int32_t>{7, -3, 3}));
    EXPECT_EQ(user->texts, (Texts{"my title", "chinfo", "alice", "na", "ia", "ea"}));
    ASSERT_EQ(user->members.size(), 3u);
    EXPECT_EQ(user->members[0], (Texts{"bob", "b b", "ib", "eb"}));
    EXPECT_EQ(user->members[2], (Texts{"dave", "nd", "id", "ed"}));
}

struct NotificationCase {
    const char* line;
    UINT message;
    std::size_t size;
    Texts texts;
    std::vector<int32_t> numbers;
    int flag;
    Texts items;
};

class NotificationRecords : public RecordsTest, public ::testing::WithParamInterface<NotificationCase> {};

TEST_P(NotificationRecords, CarryTheirFieldsAtTheirOffsets)
{
    const NotificationCase& c = GetParam();
    joinScripted();
    send(std::string(c.line) + "\n");
    const auto event = host.take(c.message);
    ASSERT_TRUE(event) << c.line;
    EXPECT_EQ(event->recordSize, c.size);
    EXPECT_EQ(event->texts, c.texts);
    EXPECT_EQ(event->numbers, c.numbers);
    EXPECT_EQ(event->flag, c.flag);
    EXPECT_EQ(event->items, c.items);
}

INSTANTIATE_TEST_SUITE_P(
    All, NotificationRecords,
    ::testing::Values(
        NotificationCase{":carol KICK bob too\\sloud", CHATMSG_KICK, 24, {"carol", "bob", "too loud"}, {}, -1, {}},
        NotificationCase{":bob PART 12", CHATMSG_PART, 12, {"bob"}, {12}, -1, {}},
        NotificationCase{":bob JOIN 5 b\\sb info extra true", CHATMSG_JOIN, 37, {"bob", "b b", "info", "extra"}, {5}, 1, {}},
        NotificationCase{":bob JOIN 5 b info extra True", CHATMSG_JOIN, 37, {"bob", "b", "info", "extra"}, {5}, 0, {}},
        NotificationCase{":bob MSG TEXT hello  two spaces", CHATMSG_MSG, 24, {"bob", "TEXT", "hello  two spaces"}, {}, -1, {}},
        NotificationCase{":bob@c SET TITLE new\\stitle", CHATMSG_SET, 32, {"bob", "c", "TITLE", "new title"}, {}, -1, {}},
        NotificationCase{":bob@c PERM carol up\\sone x", CHATMSG_PERM, 40, {"bob", "c", "carol", "up one", "x"}, {}, -1, {}},
        NotificationCase{":server SYSMSG closing soon", CHATMSG_SYSMSG, 8, {"closing soon"}, {}, -1, {}},
        NotificationCase{":bob@c REPORT carol why 2 bob dave", CHATMSG_REPORT, 52, {"bob", "c", "carol", "why", "2"}, {2}, -1,
                         {"bob", "dave"}}));

TEST_F(RecordsTest, RepliesToWhoGetAndSet)
{
    joinScripted();
    library.who(session, "@");
    EXPECT_EQ(nextLine(), "WHO @");
    send("211 bob nb ib eb\n211 carol nc ic ec\n200\n");
    const auto who = host.take(CHATMSG_WHO);
    ASSERT_TRUE(who);
    EXPECT_EQ(who->recordSize, 12u);
    EXPECT_EQ(who->numbers, (std::vector<int32_t>{2}));
    ASSERT_EQ(who->members.size(), 2u);
    EXPECT_EQ(who->members[1], (Texts{"carol", "nc", "ic", "ec"}));

    library.get(session, "TITLE");
    EXPECT_EQ(nextLine(), "GET TITLE");
    send("200 first second\n");
    const auto get = host.take(CHATMSG_GET);
    ASSERT_TRUE(get);
    EXPECT_EQ(get->recordSize, 24u);
    EXPECT_EQ(get->texts, (Texts{"TITLE", "first", "second"}));

    library.set(session, "TITLE", "a b");
    EXPECT_EQ(nextLine(), "SET TITLE a\\sb");
    send("200\n");
    const auto set = host.take(CHATMSG_SET_REPLY);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->recordSize, 8u);
    EXPECT_EQ(set->texts, (Texts{"TITLE"}));
}

TEST_F(RecordsTest, EmptyWhoListIsABlockOfItsOwn)
{
    joinScripted();
    library.who(session, "nobody");
    EXPECT_EQ(nextLine(), "WHO nobody");
    send("200\n");
    const auto who = host.take(CHATMSG_WHO);
    ASSERT_TRUE(who);
    EXPECT_EQ(who->numbers, (std::vector<int32_t>{0}));
    EXPECT_TRUE(who->members.empty());
}

TEST_F(RecordsTest, ServerErrorsCarryNoRecord)
{
    joinScripted();
    library.msg(session, "@", "TEXT", "hi");
    EXPECT_EQ(nextLine(), "MSG @ TEXT hi");
    send("500\n");
    const auto error = host.take(CHATMSG_SERVER_ERROR);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, 0u);
}

TEST_F(RecordsTest, KickedJoinCarriesNoRecord)
{
    joinUnanswered("alice");
    ASSERT_TRUE(skipUntil(*peer, "USER"));
    send("515\n");
    const auto kicked = host.take(CHATMSG_KICKED);
    ASSERT_TRUE(kicked);
    EXPECT_EQ(kicked->code, 0u);
}

TEST_F(RecordsTest, PeerClosingGivesReceiveError)
{
    joinScripted();
    peer->close();
    const auto error = host.take(CHATMSG_CONN_ERROR);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->code, 3u);
}

}  // namespace
