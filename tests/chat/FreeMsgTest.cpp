// Yarnly_FreeMsg frees exactly the blocks a record owns (counted test build).
#include "ChatFixture.h"
#include "DebugOutputCapture.h"

namespace {

class FreeMsgTest : public ChatFixture {
protected:
    FreeMsgTest() : ChatFixture(YARNLY_COUNTED_DLL) {}

    // Frees made by the host's release of the next record of `message`.
    long freesOfNext(UINT message, const std::string& line)
    {
        const HeapCounts before = heapCounts(library);
        send(line + "\n");
        EXPECT_TRUE(host.take(message)) << line;
        const HeapCounts after = heapCounts(library);
        EXPECT_EQ(after.live(), 0) << line;
        return after.freed - before.freed;
    }
};

TEST_F(FreeMsgTest, UserRecordWithThreeMembers)
{
    joinUnanswered("alice");
    ASSERT_TRUE(skipUntil(*peer, "USER"));
    const HeapCounts before = heapCounts(library);
    send("210 1 2 t i\n211 b nb ib eb\n211 c nc ic ec\n211 d nd id ed\n200 alice n i e\n");
    ASSERT_TRUE(host.take(CHATMSG_USER));
    const HeapCounts after = heapCounts(library);
    // 12 member strings, 3 entries, the array, the 6 other strings, the record.
    EXPECT_EQ(after.freed - before.freed, 12 + 3 + 1 + 6 + 1);
    EXPECT_EQ(after.live(), 0);
}

TEST_F(FreeMsgTest, EachRecordFreesWhatItOwns)
{
    joinScripted();
    EXPECT_EQ(freesOfNext(CHATMSG_JOIN, ":bob JOIN 5 b i e true"), 4 + 1);
    EXPECT_EQ(freesOfNext(CHATMSG_PART, ":bob PART 5"), 1 + 1);
    EXPECT_EQ(freesOfNext(CHATMSG_SYSMSG, ":s SYSMSG hi"), 1 + 1);
    // Five strings, two items, the item array, the record.
    EXPECT_EQ(freesOfNext(CHATMSG_REPORT, ":a@c REPORT b why 1 x y"), 5 + 2 + 1 + 1);
}

TEST_F(FreeMsgTest, EmptyMemberListIsStillFreed)
{
    joinScripted();
    library.who(session, "nobody");
    EXPECT_EQ(nextLine(), "WHO nobody");
    EXPECT_EQ(freesOfNext(CHATMSG_WHO, "200"), 1 + 1);
}

TEST_F(FreeMsgTest, NumbersWithoutRecordAreRefused)
{
    DebugOutputCapture capture;
    char block[8] = {};
    const HeapCounts before = heapCounts(library);
    for (uint32_t number : {10224u, 10225u, 10324u, 10030u, 0u, 99999u}) {
        capture.clear();
        library.freeMsg(number, block);
        EXPECT_EQ(capture.lines(), (std::vector<std::string>{"[Yarnly]error:undefined msg"})) << number;
    }
    EXPECT_EQ(heapCounts(library).freed, before.freed);
}

TEST_F(FreeMsgTest, NullRecordIsIgnored)
{
    DebugOutputCapture capture;
    library.freeMsg(CHATMSG_MSG, nullptr);
    EXPECT_TRUE(capture.lines().empty());
}

}  // namespace
