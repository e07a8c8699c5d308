#pragma once
#include "ICommand.h"

#include <memory>
#include <string>
#include <vector>

class CommandFactory {
public:
    explicit CommandFactory(IPipitClient& client) : client_(client) {}
    virtual ~CommandFactory() = default;

    // args: keyword first, then its arguments. Null for an unknown keyword or a wrong count;
    // never throws.
    std::unique_ptr<ICommand> create(const std::vector<std::string>& args) const noexcept;

private:
    IPipitClient& client_;
};
