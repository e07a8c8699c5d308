#include "NotifyFactory.h"
#include "RecordingClient.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Case {
    std::string text;                // the line after its colon
    std::optional<std::string> call; // nullopt: rejected
};

const Case cases[] = {
    {"src JOIN 3 n\\s1 info extra true", "onJoin(3|src|n 1|info|extra|true)"},
    {"src JOIN 3 n info extra True", "onJoin(3|src|n|info|extra|false)"},
    {"src JOIN x n info extra 1", "onJoin(0|src|n|info|extra|false)"},
    {"src JOIN 3 n info extra", std::nullopt},
    {"src JOIN 3 n info extra true more", std::nullopt},
    {"src PART 7", "onPart(7|src)"},
    {"src PART x", "onPart(0|src)"},
    {"src PART", std::nullopt},
    {"src PART 1 2", std::nullopt},
    {"src KICK a b\\sc", "onKick(src|a|b c)"},
    {"src KICK a", std::nullopt},
    {"src KICK a b c", std::nullopt},
    {"src MSG a0", "onMsg(src|a0|)"},
    {"src MSG a0 hello  world ", "onMsg(src|a0|hello  world )"},
    {"src MSG a0 x\\sy", "onMsg(src|a0|x\\sy)"},
    {"src MSG", std::nullopt},
    {"src NMSG 5 a1 t1  t2", "onNMsg(src|5|a1|t1  t2)"},
    {"src NMSG -5 a1", "onNMsg(src|-5|a1|)"},
    {"src NMSG 5", std::nullopt},
    {"src SYSMSG", "onSysmsg()"},
    {"src SYSMSG a  b", "onSysmsg(a  b)"},
    {"u SET TITLE a\\sb", "onSet(u||TITLE|a b)"},
    {"u@c SET NICKNAME n\\s extra", "onSet(u|c|NICKNAME|n )"},
    {"u@c@z SET OWNER a\\sb", "onSet(u|c|OWNER|a\\sb)"},
    {"u SET TITLE", std::nullopt},
    {"s DELNMSG a b", "onDelNMsg(s|[a,b])"},
    {"s DELNMSG ", "onDelNMsg(s|[])"},
    {"s DELNMSG", std::nullopt},
    {"u@c PERM a0 a\\s1 a2", "onPerm(u|c|a0|a 1|a2)"},
    {"u PERM a0 a1", std::nullopt},
    {"u PERM a0 a1 a2 a3", std::nullopt},
    {"u@c REPORT a0 a\\s1 a2 r1", "onReport(u|c|a0|a 1|a2|[r1])"},
    {"u@c REPORT a0 a1 a2 r1 r2", "onReport(u|c|a0|a1|a2|[r1,r2])"},
    {"u REPORT a0 a1 a2", std::nullopt},
    {"s EOEH", "onEOEH()"},
    {"s EOEH x y", "onEOEH()"},
    {"", std::nullopt},
    {"s", std::nullopt},
    {"s UNKNOWN x", std::nullopt},
    {"s join 1 n i e true", std::nullopt},
    {"s  MSG a", std::nullopt},
    {"s MSGX a", std::nullopt},
};

} // namespace

TEST(Notification, CasesTable)
{
    for (const Case& c : cases) {
        RecordingClient client;
        const std::unique_ptr<INotify> notification = NotifyFactory(client).create(c.text);
        if (!c.call) {
            EXPECT_EQ(notification, nullptr) << c.text;
            continue;
        }
        ASSERT_NE(notification, nullptr) << c.text;
        EXPECT_TRUE(client.calls().empty()) << "parsing alone raises nothing";
        notification->notify();
        EXPECT_EQ(client.calls(), std::vector<std::string>{*c.call}) << c.text;
    }
}
