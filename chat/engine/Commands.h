#pragma once
// The ten commands. Each constructor takes the whole argument list (keyword first) and throws
// std::invalid_argument("<Class>:InvalidParams") when the count is wrong.
#include "Channel.h"
#include "ICommand.h"
#include "User.h"

#include <string>
#include <vector>

using CommandArgs = std::vector<std::string>;

class UserCommand : public ICommand {
public:
    UserCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;

private:
    User me_;
    Channel channel_;
    std::vector<User> users_;
};

class MsgCommand : public ICommand {
public:
    MsgCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;
};

class PingCommand : public ICommand {
public:
    PingCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;
};

class SetCommand : public ICommand {
public:
    SetCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;

private:
    std::string key_;
};

class GetCommand : public ICommand {
public:
    GetCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;

private:
    std::string key_;
};

class WhoCommand : public ICommand {
public:
    WhoCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;

private:
    std::vector<User> users_;
};

class KickCommand : public ICommand {
public:
    KickCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;
};

class DelNMsgCommand : public ICommand {
public:
    DelNMsgCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;
};

class PermCommand : public ICommand {
public:
    PermCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;
};

class ReportCommand : public ICommand {
public:
    ReportCommand(IPipitClient& client, const CommandArgs& args);
    CommandStatus handleResponse(const std::vector<std::string>& fields) override;
};
