#pragma once
#include <string>

// A channel member as the server reports it. The nickname is held unescaped.
class User {
public:
    User() = default;
    User(std::string id, std::string nickname, std::string info, std::string extra)
        : id(std::move(id)), nickname(std::move(nickname)), info(std::move(info)), extra(std::move(extra))
    {
    }
    User(const User&) = default;
    User(User&&) = default;
    User& operator=(const User&) = default;
    User& operator=(User&&) = default;
    virtual ~User() = default;

    bool operator==(const User&) const = default;

    std::string id;
    std::string nickname;
    std::string info;
    std::string extra;
};
