#pragma once
// One parsed server notification; notify raises its one client callback.
class IPipitClient;

class INotify {
public:
    virtual ~INotify() = default;
    INotify(const INotify&) = delete;
    INotify& operator=(const INotify&) = delete;

    virtual void notify() = 0;

protected:
    explicit INotify(IPipitClient& client) : client_(client) {}

    IPipitClient& client_;
};
