#pragma once
// One request to the server together with the reading of its answer. The request line is
// encoded once, at construction; response lines are fed to handleResponse until it returns a
// final status.
#include <string>
#include <vector>

class IPipitClient;

enum class CommandStatus : int {
    Unexpected = 0, // onNotExpectedResponseError has been raised with the keyword
    More = 10,      // more lines belong to this command
    Success = 200,  // the success callback has been raised
    Refused = 400,  // the refusal's own callback has been raised
};

class ICommand {
public:
    virtual ~ICommand() = default;
    ICommand(const ICommand&) = delete;
    ICommand& operator=(const ICommand&) = delete;

    // fields: one response line split at spaces; at least one field, the code.
    virtual CommandStatus handleResponse(const std::vector<std::string>& fields) = 0;

    // The encoded request, LF included.
    const std::string& line() const noexcept { return line_; }

protected:
    ICommand(IPipitClient& client, std::string line) : client_(client), line_(std::move(line)) {}

    IPipitClient& client_;

private:
    std::string line_;
};
