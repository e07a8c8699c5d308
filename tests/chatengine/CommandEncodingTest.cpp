#include "CommandFactory.h"
#include "RecordingClient.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Case {
    std::vector<std::string> args;
    std::optional<std::string> line; // nullopt: the factory builds no command
};

const Case cases[] = {
    {{"USER", "", "", "c", "", "a b", "x"}, "USER guest@c a\\sb x\n"},
    {{"USER", "u", "k", "c", "h", "n", "x"}, "USER u:k@c:h n x\n"},
    {{"USER", "u", "", "c", "h", "n\\", "x"}, "USER u@c:h n\\\\ x\n"},
    {{"USER", "u", "k", "c", "", "n", "x"}, "USER u:k@c n x\n"},
    {{"USER", "u", "k", "c", "h", "n"}, std::nullopt},
    {{"USER", "u", "k", "c", "h", "n", "x", "y"}, std::nullopt},
    {{"MSG", "a", "b", "hello world"}, "MSG a b hello world\n"},
    {{"MSG", "a", "b"}, std::nullopt},
    {{"MSG", "a", "b", "c", "d"}, std::nullopt},
    {{"PING"}, "PING\n"},
    {{"PING", "x", "y"}, "PING\n"},
    {{"SET", "TITLE", "a b"}, "SET TITLE a\\sb\n"},
    {{"SET", "NICKNAME", "a\\b\tc"}, "SET NICKNAME a\\\\b\\tc\n"},
    {{"SET", "OWNER", "a b"}, "SET OWNER a b\n"},
    {{"SET", "PRIVATE", "TRUE"}, "SET PRIVATE TRUE\n"},
    {{"SET", "TITLE", "a b", "c d", "e"}, "SET TITLE a\\sb c d e\n"},
    {{"SET", "title", "a b"}, "SET title a b\n"},
    {{"SET", "PRIVATE"}, std::nullopt},
    {{"GET", "k"}, "GET k\n"},
    {{"GET"}, std::nullopt},
    {{"GET", "a", "b"}, std::nullopt},
    {{"WHO", "x y"}, "WHO x\\sy\n"},
    {{"WHO"}, std::nullopt},
    {{"WHO", "a", "b"}, std::nullopt},
    {{"KICK", "t", "TRUE"}, "KICK t TRUE\n"},
    {{"KICK", "t"}, std::nullopt},
    {{"DELNMSG", "a"}, "DELNMSG a\n"},
    {{"DELNMSG", "a", "b", "c"}, "DELNMSG a b c\n"},
    {{"DELNMSG"}, std::nullopt},
    {{"PERM", "a", "b"}, "PERM a b\n"},
    {{"PERM", "a", "b", "c"}, std::nullopt},
    {{"REPORT", "a", "b"}, "REPORT a b\n"},
    {{"REPORT", "a"}, std::nullopt},
    // Keywords match exactly.
    {{"user", "", "", "c", "", "n", "x"}, std::nullopt},
    {{"PINGX"}, std::nullopt},
    {{"PIN"}, std::nullopt},
    {{"JOIN", "a"}, std::nullopt},
    {{}, std::nullopt},
    // A line break in a field sent as it is would end the request early; escaped fields may
    // carry one.
    {{"MSG", "a", "b", "one\nUSER x"}, std::nullopt},
    {{"KICK", "t\n", "TRUE"}, std::nullopt},
    {{"SET", "OWNER", "a\nb"}, std::nullopt},
    {{"SET", "TITLE", "a\nb"}, "SET TITLE a\\nb\n"},
    {{"USER", "u\n", "", "c", "", "n", "x"}, std::nullopt},
    {{"USER", "u", "", "c", "", "n\n", "x"}, "USER u@c n\\n x\n"},
    {{"WHO", "a\nb"}, "WHO a\\nb\n"},
};

} // namespace

TEST(CommandEncoding, CasesTable)
{
    RecordingClient client;
    const CommandFactory factory(client);
    for (const Case& c : cases) {
        const std::unique_ptr<ICommand> command = factory.create(c.args);
        const std::string name = c.args.empty() ? "(empty)" : c.args[0] + "/" + std::to_string(c.args.size());
        if (!c.line) {
            EXPECT_EQ(command, nullptr) << name;
            continue;
        }
        ASSERT_NE(command, nullptr) << name;
        EXPECT_EQ(command->line(), *c.line) << name;
    }
    EXPECT_TRUE(client.calls().empty()) << "building a command reports nothing";
}
