#include "ChatServer.h"

#include <algorithm>

#include "ServerText.h"

struct ChatServer::Member {
    explicit Member(std::unique_ptr<LineConnection> c, int n) : connection(std::move(c)), connection_number(n) {}
    std::unique_ptr<LineConnection> connection;
    int connection_number;
    std::mutex sendMutex;
    std::string id;
    std::string nickname;  // as on the wire (escaped)
    std::string info = "-";
    std::string extra = "-";
    std::string channel;  // empty: not in a channel
    int number = 0;

    void send(const std::string& line)
    {
        std::lock_guard lock(sendMutex);
        connection->send(line + "\n");
    }
};

ChatServer::ChatServer(uint16_t port) : listener_(port)
{
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

ChatServer::~ChatServer()
{
    stopping_ = true;
    acceptThread_.join();
    {
        std::lock_guard lock(mutex_);
        for (auto& m : connections_)
            m->connection->abort();
    }
    for (auto& w : workers_)
        w.thread.join();
}

void ChatServer::acceptLoop()
{
    int count = 0;
    while (!stopping_) {
        auto connection = listener_.accept(50);
        if (!connection)
            continue;
        reapFinished();
        auto member = std::make_shared<Member>(std::move(connection), ++count);
        auto finished = std::make_shared<std::atomic<bool>>(false);
        {
            std::lock_guard lock(mutex_);
            connections_.push_back(member);
        }
        workers_.push_back({std::thread([this, member, finished] {
                                serve(member);
                                *finished = true;
                            }),
                            finished});
    }
}

// A server that runs for long keeps no thread or socket of a connection that has ended.
void ChatServer::reapFinished()
{
    for (auto it = workers_.begin(); it != workers_.end();) {
        if (*it->finished) {
            it->thread.join();
            it = workers_.erase(it);
        } else {
            ++it;
        }
    }
}

void ChatServer::serve(std::shared_ptr<Member> member)
{
    while (auto line = member->connection->readLine()) {
        {
            std::lock_guard lock(mutex_);
            received_.push_back(std::to_string(member->connection_number) + " " + *line);
        }
        handle(*member, *line);
    }
    leave(*member);
    std::lock_guard lock(mutex_);
    connections_.erase(std::find(connections_.begin(), connections_.end(), member));
    member->connection->close();
}

std::vector<std::string> ChatServer::received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

std::vector<std::shared_ptr<ChatServer::Member>> ChatServer::membersOf(const std::string& channel) const
{
    std::vector<std::shared_ptr<Member>> members;
    for (const auto& m : connections_)
        if (!channel.empty() && m->channel == channel)
            members.push_back(m);
    return members;
}

void ChatServer::toChannel(const std::string& channel, const std::string& line)
{
    for (const auto& m : membersOf(channel))
        m->send(line);
}

void ChatServer::announce(const std::string& channel, const std::string& line)
{
    std::lock_guard lock(mutex_);
    toChannel(channel, line);
}

std::string ChatServer::settingOf(const std::string& channel, const std::string& key) const
{
    const auto c = settings_.find(channel);
    if (c == settings_.end())
        return {};
    const auto s = c->second.find(key);
    return s == c->second.end() ? std::string() : s->second.first;
}

void ChatServer::leave(Member& member)
{
    std::lock_guard lock(mutex_);
    if (member.channel.empty())
        return;
    const std::string channel = member.channel;
    member.channel.clear();
    toChannel(channel, ":" + member.id + " PART " + std::to_string(member.number));
}

void ChatServer::handle(Member& member, const std::string& line)
{
    const auto f = splitFields(line);
    const std::string& keyword = f[0];
    if (keyword == "USER") {
        handleUser(member, f);
        return;
    }
    if (keyword == "PING" || keyword == "DELNMSG") {
        member.send("200");
        return;
    }
    std::lock_guard lock(mutex_);
    if (keyword == "SET" && f.size() >= 3) {
        // Settings made before USER apply to the channel joined next; nobody hears of them.
        const std::string value = line.substr(f[0].size() + f[1].size() + 2);
        member.send("200");
        if (member.channel.empty())
            return;
        settings_[member.channel][f[1]] = {f[2], member.id};
        if (f[1] == "NICKNAME")
            member.nickname = f[2];
        toChannel(member.channel, ":" + member.id + "@" + member.channel + " SET " + f[1] + " " + value);
        return;
    }
    if (member.channel.empty()) {
        member.send(keyword == "MSG" || keyword == "GET" || keyword == "WHO" || keyword == "KICK" ||
                            keyword == "PERM" || keyword == "REPORT"
                        ? "502"
                        : "501");
        return;
    }
    if (keyword == "MSG" && f.size() >= 4) {
        handleMsg(member, line, f);
    } else if (keyword == "GET" && f.size() == 2) {
        const auto& channelSettings = settings_[member.channel];
        const auto s = channelSettings.find(f[1]);
        member.send(s == channelSettings.end() ? "200 - -" : "200 " + s->second.first + " " + s->second.second);
    } else if (keyword == "WHO" && f.size() == 2) {
        const std::string wanted = unescapeField(f[1]);
        for (const auto& m : membersOf(member.channel))
            if (wanted == "@" || m->id == wanted)
                member.send("211 " + m->id + " " + m->nickname + " " + m->info + " " + m->extra);
        member.send("200");
    } else if (keyword == "KICK" && f.size() == 3) {
        member.send("200");
        const std::string channel = member.channel;
        toChannel(channel, ":" + member.id + " KICK " + f[1] + " " + f[2]);
        for (const auto& m : membersOf(channel))
            if (m->id == f[1])
                m->channel.clear();
    } else if (keyword == "PERM" && f.size() == 3) {
        member.send("200");
        toChannel(member.channel, ":" + member.id + "@" + member.channel + " PERM " + f[1] + " " + f[2] + " TRUE");
    } else if (keyword == "REPORT" && f.size() == 3) {
        member.send("200");
        toChannel(member.channel,
                  ":" + member.id + "@" + member.channel + " REPORT " + f[1] + " " + f[2] + " 1 " + member.id);
    } else {
        member.send("501");
    }
}

void ChatServer::handleUser(Member& member, const std::vector<std::string>& f)
{
    std::lock_guard lock(mutex_);
    const auto at = f.size() == 4 ? f[1].find('@') : std::string::npos;
    if (at == std::string::npos || !member.channel.empty()) {
        member.send("501");
        return;
    }
    std::string id = f[1].substr(0, at);
    id = id.substr(0, id.find(':'));
    std::string channel = f[1].substr(at + 1);
    channel = channel.substr(0, channel.find(':'));
    const int number = nextNumber_++;
    if (id == "guest")
        id = "guest" + std::to_string(number);
    const auto others = membersOf(channel);
    if (std::any_of(others.begin(), others.end(), [&](const auto& m) { return m->id == id; })) {
        member.send("511");
        return;
    }
    member.id = id;
    member.nickname = f[2];
    member.info = f[3].empty() ? "-" : f[3];
    member.number = number;

    const std::string title = settingOf(channel, "TITLE");
    member.send("210 " + std::to_string(others.size() + 1) + " 0 " + (title.empty() ? escapeField(channel) : title) +
                " -");
    for (const auto& m : others)
        member.send("211 " + m->id + " " + m->nickname + " " + m->info + " " + m->extra);
    member.send("200 " + member.id + " " + member.nickname + " " + member.info + " " + member.extra);
    toChannel(channel, ":" + member.id + " JOIN " + std::to_string(number) + " " + member.nickname + " " +
                           member.info + " " + member.extra + " false");
    member.channel = channel;
}

void ChatServer::handleMsg(Member& member, const std::string& line, const std::vector<std::string>& f)
{
    // The text keeps its spaces: everything after "MSG to kind ".
    const std::size_t textStart = f[0].size() + f[1].size() + f[2].size() + 3;
    const std::string notification = ":" + member.id + " MSG " + f[2] + " " + line.substr(textStart);
    member.send("200");
    if (f[1] == "@") {
        toChannel(member.channel, notification);
        return;
    }
    for (const auto& m : membersOf(member.channel))
        if (m->id == f[1] && m.get() != &member)
            m->send(notification);
    member.send(notification);
}
