#pragma once
// The engine lock: serialises connection set-up and command sending. Recursive. Its lock/unlock
// names let std::lock_guard<IPipitLock> hold it.
class IPipitLock {
public:
    virtual ~IPipitLock() = default;
    virtual void lock() = 0;
    virtual void unlock() = 0;
};
