#include "ChatFixture.h"

ChatFixture::ChatFixture(const char* libraryPath) : library(libraryPath), host(library)
{
    startWinsock();
}

ChatFixture::~ChatFixture()
{
    if (session)
        library.leave(session);
}

YarnlySession ChatFixture::joinUnanswered(const std::string& userId)
{
    session = library.join("127.0.0.1", server.port(), host.hwnd(), nullptr, userId.c_str(), "", "c", "", "nick",
                           "x");
    peer = server.accept();
    return session;
}

YarnlySession ChatFixture::joinScripted(const std::string& userId, const std::vector<std::string>& members)
{
    joinUnanswered(userId);
    if (!peer || !skipUntil(*peer, "USER")) {
        ADD_FAILURE() << "no USER request";
        return session;
    }
    std::string reply = "210 1 2 title info\n";
    for (const std::string& m : members)
        reply += "211 " + m + " nick-" + m + " info-" + m + " extra-" + m + "\n";
    reply += "200 " + userId + " nick info extra\n";
    peer->send(reply);
    if (!host.take(CHATMSG_USER))
        ADD_FAILURE() << "no CHATMSG_USER";
    return session;
}

std::string ChatFixture::nextLine()
{
    for (;;) {
        const auto line = peer->readLine(10000);
        if (!line)
            return "<nothing>";
        if (*line != "PING")
            return *line;
    }
}
