#pragma once
#include "INotify.h"

#include <memory>
#include <string_view>

class IPipitClient;

class NotifyFactory {
public:
    explicit NotifyFactory(IPipitClient& client) : client_(client) {}
    virtual ~NotifyFactory() = default;

    // text: the notification line without its colon. Null when the line is not a notification
    // the engine knows (too few fields, unknown keyword, wrong argument count). May throw
    // std::bad_alloc.
    std::unique_ptr<INotify> create(std::string_view text) const;

private:
    IPipitClient& client_;
};
