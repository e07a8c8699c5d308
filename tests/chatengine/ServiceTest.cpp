// The read loop and the command queue over a scripted transport; the real socket is covered by
// the loopback tests of the Windows build.
#include "ServiceHarness.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using Calls = std::vector<std::string>;

namespace {

struct Script {
    std::deque<std::string> lines;
    std::vector<std::vector<std::string>> commands; // sent before the lines arrive
    Calls calls;                                    // the peer-close error at the end included
};

const Script scripts[] = {
    // Responses answer the oldest command.
    {{"200", "200"}, {{"MSG", "a", "b", "c"}, {"PING"}}, {"onReqMsg()", "onReqPing()", "onCError(3)"}},
    // USER stays queued through its 210 and 211 lines.
    {{"210 1 2 t i", "211 a b c d", "211 e f g h", "200 m n i e", "200"},
     {{"USER", "u", "", "c", "", "n", "x"}, {"PING"}},
     {"onReqUser({m,n,i,e}|{1,2,t,i}|[{a,b,c,d},{e,f,g,h}])", "onReqPing()", "onCError(3)"}},
    // A general error ends the head command without its own callback.
    {{"502", "200"}, {{"MSG", "a", "b", "c"}, {"PING"}}, {"onNoChannel()", "onReqPing()", "onCError(3)"}},
    {{"500", "501", "503", "504", "200"}, {{"PING"}, {"PING"}, {"PING"}, {"PING"}, {"PING"}},
     {"onNotExpectedServerError()", "onProtocolError()", "onNoUser()", "onNoAuth()", "onReqPing()", "onCError(3)"}},
    // A code of two or four bytes, or an empty line, is a parse error and ends the head command.
    {{"20", "2000", "", "200"}, {{"PING"}, {"MSG", "a", "b", "c"}, {"PING"}, {"KICK", "t", "TRUE"}},
     {"onNotExpectedResponseError(PARSE_ERROR)", "onNotExpectedResponseError(PARSE_ERROR)",
      "onNotExpectedResponseError(PARSE_ERROR)", "onReqKick()", "onCError(3)"}},
    // Three letters are a code for the command to judge.
    {{"abc", "200"}, {{"MSG", "a", "b", "c"}, {"PING"}},
     {"onNotExpectedResponseError(MSG)", "onReqPing()", "onCError(3)"}},
    // Notifications come between responses and leave the queue alone.
    {{"210 1 2 t i", ":s MSG a hello  there", "200 m n i e"}, {{"USER", "u", "", "c", "", "n", "x"}},
     {"onMsg(s|a|hello  there)", "onReqUser({m,n,i,e}|{1,2,t,i}|[])", "onCError(3)"}},
    {{":", ":word", ":s UNKNOWN x", ":s JOIN 1 n i e"}, {},
     {"onNotInitNotify()", "onNotInitNotify(word)", "onNotInitNotify(s UNKNOWN x)", "onNotInitNotify(s JOIN 1 n i e)",
      "onCError(3)"}},
    // Nothing waits: the response is dropped and the session goes on.
    {{"200", "200 x", ":s EOEH"}, {}, {"onEOEH()", "onCError(3)"}},
    // A general error with nothing queued is still reported.
    {{"502", "200"}, {}, {"onNoChannel()", "onCError(3)"}},
    // Rejected argument lists never reach the queue.
    {{"200"}, {{"NOPE"}, {"MSG", "a"}, {"PING"}}, {"onReqPing()", "onCError(3)"}},
};

} // namespace

TEST(ServiceReadLoop, ScriptsTable)
{
    for (std::size_t i = 0; i < std::size(scripts); ++i) {
        const Script& s = scripts[i];
        auto socket = std::make_unique<ScriptedSocket>(s.lines);
        ServiceHarness h(std::move(socket));
        ASSERT_TRUE(h.service->connect("server", 1));
        for (const auto& command : s.commands)
            h.service->sendCommand(command);
        EXPECT_FALSE(h.service->run());
        EXPECT_EQ(h.client->calls(), s.calls) << "script " << i;
    }
}

TEST(ServiceSend, LinesLeaveInOrderAndUnknownKeywordsSendNothing)
{
    auto owned = std::make_unique<ScriptedSocket>();
    ScriptedSocket* socket = owned.get();
    ServiceHarness h(std::move(owned));
    h.service->connect("server", 1);
    h.service->user("", "", "c", "", "a b", "x");
    h.service->sendCommand({"WHATEVER", "x"});
    h.service->sendCommand({});
    h.service->msg("a", "b", "c");
    h.service->set("TITLE", {"t t", "more"});
    h.service->kick("m");
    EXPECT_EQ(socket->sent, (std::vector<std::string>{"USER guest@c a\\sb x\n", "MSG a b c\n",
                                                       "SET TITLE t\\st more\n", "KICK m TRUE\n"}));
    EXPECT_TRUE(h.client->calls().empty());
}

TEST(ServiceSend, FailedSendReportsOnTheSendingThreadAndKeepsTheCommand)
{
    auto owned = std::make_unique<ScriptedSocket>(std::deque<std::string>{"200"});
    ScriptedSocket* socket = owned.get();
    ServiceHarness h(std::move(owned));
    h.service->sendCommand({"PING"}); // not connected yet
    EXPECT_EQ(h.client->calls(), Calls{"onCError(4)"});
    EXPECT_TRUE(socket->sent.empty());

    // The command stayed queued, so the next response is its answer.
    h.client->clear();
    h.service->connect("server", 1);
    h.service->run();
    EXPECT_EQ(h.client->calls(), (Calls{"onReqPing()", "onCError(3)"}));
}

namespace {

// Misbehaving clients must not take the read loop down.
class ThrowingClient : public RecordingClient {
public:
    void onMsg(const std::string& s, const std::string& a0, const std::string& text) override
    {
        RecordingClient::onMsg(s, a0, text);
        throw std::bad_alloc(); // as an allocation on the way through a line would
    }
    void onSysmsg(const std::string& text) override
    {
        RecordingClient::onSysmsg(text);
        throw std::runtime_error("client failure");
    }
    void onReqPing() override
    {
        RecordingClient::onReqPing();
        throw 42;
    }
};

} // namespace

TEST(ServiceReadLoop, ExceptionsFromTheClientStayInTheEngine)
{
    auto owned = std::make_unique<ThrowingClient>();
    RecordingClient* client = owned.get();
    auto commands = std::make_unique<CommandFactory>(*owned);
    auto notifications = std::make_unique<NotifyFactory>(*owned);
    auto errors = std::make_unique<PipitError>(*owned);
    PipitService service(std::move(owned),
                         std::make_unique<ScriptedSocket>(std::deque<std::string>{":s MSG a b", ":s SYSMSG x", "200", "200"}),
                         std::make_unique<RecursiveLock>(), std::move(commands), std::move(notifications),
                         std::move(errors));
    service.connect("server", 1);
    service.sendCommand({"PING"});
    service.sendCommand({"PING"});
    EXPECT_FALSE(service.run());
    // The second PING got the second 200: the first left the queue although its callback threw,
    // and the client's own exception is not taken for a transport error.
    EXPECT_EQ(client->calls(), (Calls{"onMsg(s|a|b)", "onSysmsg(x)", "onReqPing()", "onReqPing()", "onCError(3)"}));
}
