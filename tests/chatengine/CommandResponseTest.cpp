#include "CommandFactory.h"
#include "RecordingClient.h"
#include "StringUtil.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    std::vector<std::string> args;
    std::vector<std::string> responses;
    std::vector<int> statuses;
    std::vector<std::string> calls;
};

const std::vector<std::string> user = {"USER", "u", "", "c", "", "n", "x"};
const std::vector<std::string> msg = {"MSG", "a", "b", "c"};
const std::vector<std::string> set = {"SET", "TITLE", "t"};
const std::vector<std::string> get = {"GET", "k"};
const std::vector<std::string> who = {"WHO", "c"};

const Case cases[] = {
    {user, {"210 5 7 t\\sx info", "211 u1 n\\s1 i1 e1", "211 u2 n2 i2 e2", "200 me n\\sm im em"}, {10, 10, 10, 200},
     {"onReqUser({me,n m,im,em}|{5,7,t x,info}|[{u1,n 1,i1,e1},{u2,n2,i2,e2}])"}},
    {user, {"211 a b c d", "210 1 2 t i", "200 m n i e"}, {10, 10, 200}, {"onReqUser({m,n,i,e}|{1,2,t,i}|[])"}},
    {user, {"200 m n i e"}, {200}, {"onReqUser({m,n,i,e}|{0,0,,}|[])"}},
    {user, {"210 x -3 t i", "200 m n i e"}, {10, 200}, {"onReqUser({m,n,i,e}|{0,-3,t,i}|[])"}},
    {user, {"210 12abc -99999999999 t i", "200 m n i e"}, {10, 200}, {"onReqUser({m,n,i,e}|{12,-2147483648,t,i}|[])"}},
    {user, {"511"}, {400}, {"onReqUserDuplicate()"}},
    {user, {"513 x"}, {400}, {"onReqUserNotMatchCHKey()"}},
    {user, {"514"}, {400}, {"onReqUserNotMatchUserKey()"}},
    {user, {"515"}, {400}, {"onReqUserKicked()"}},
    {user, {"411"}, {400}, {"onReqUserTempServerError()"}},
    {user, {"412"}, {400}, {"onReqUserOverCount()"}},
    {user, {"200 m n i"}, {0}, {"onNotExpectedResponseError(USER)"}},
    {user, {"210 1 2 t"}, {0}, {"onNotExpectedResponseError(USER)"}},
    {user, {"211 a b c d e"}, {0}, {"onNotExpectedResponseError(USER)"}},
    {user, {"201 a b c d"}, {0}, {"onNotExpectedResponseError(USER)"}},
    {msg, {"200"}, {200}, {"onReqMsg()"}},
    {msg, {"511"}, {400}, {"onReqMsgOverCount()"}},
    {msg, {"512"}, {0}, {"onNotExpectedResponseError(MSG)"}},
    {{"PING"}, {"200"}, {200}, {"onReqPing()"}},
    {{"PING"}, {"201"}, {0}, {"onNotExpectedResponseError(PING)"}},
    {set, {"200 ignored"}, {200}, {"onReqSet(TITLE)"}},
    {set, {"511"}, {0}, {"onNotExpectedResponseError(SET)"}},
    {get, {"200 v1 v2"}, {200}, {"onReqGet(k|v1|v2)"}},
    {get, {"200 v1 v2 v3"}, {0}, {"onNotExpectedResponseError(GET)"}},
    {get, {"200 v1"}, {0}, {"onNotExpectedResponseError(GET)"}},
    {get, {"210 v1 v2"}, {0}, {"onNotExpectedResponseError(GET)"}},
    {who, {"211 a b\\sc d e", "200"}, {10, 200}, {"onReqWho([{a,b c,d,e}])"}},
    {who, {"200 x y"}, {200}, {"onReqWho([])"}},
    {who, {"211 a b c"}, {0}, {"onNotExpectedResponseError(WHO)"}},
    {who, {"210 a b c d"}, {0}, {"onNotExpectedResponseError(WHO)"}},
    {{"KICK", "t", "TRUE"}, {"200"}, {200}, {"onReqKick()"}},
    {{"KICK", "t", "TRUE"}, {"511"}, {0}, {"onNotExpectedResponseError(KICK)"}},
    {{"DELNMSG", "a"}, {"200"}, {200}, {"onReqDelNMsg()"}},
    {{"DELNMSG", "a"}, {"abc"}, {0}, {"onNotExpectedResponseError(DELNMSG)"}},
    {{"PERM", "a", "b"}, {"200"}, {200}, {"onReqPerm()"}},
    {{"PERM", "a", "b"}, {"300"}, {0}, {"onNotExpectedResponseError(PERM)"}},
    {{"REPORT", "a", "b"}, {"200"}, {200}, {"onReqReport()"}},
    {{"REPORT", "a", "b"}, {"2000"}, {0}, {"onNotExpectedResponseError(REPORT)"}},
};

} // namespace

TEST(CommandResponse, CasesTable)
{
    for (const Case& c : cases) {
        RecordingClient client;
        const std::unique_ptr<ICommand> command = CommandFactory(client).create(c.args);
        ASSERT_NE(command, nullptr);
        std::vector<int> statuses;
        for (const std::string& response : c.responses) {
            std::vector<std::string> fields;
            StringUtil::split(response, ' ', fields);
            statuses.push_back(static_cast<int>(command->handleResponse(fields)));
        }
        EXPECT_EQ(statuses, c.statuses) << c.args[0] << " answered by " << c.responses[0];
        EXPECT_EQ(client.calls(), c.calls) << c.args[0] << " answered by " << c.responses[0];
    }
}
