#pragma once
// The protocol engine of one chat connection.
//
// Threads: one worker calls connect (holding the engine lock around it, through the session's own
// pointer to the lock) and then run, which raises every client callback; any thread may call sendCommand
// and the request helpers, which take the lock, so lines never interleave on the wire; close may
// come from any thread without the lock and makes run return. Sent commands wait in a FIFO
// queue; each response answers the oldest. The queue is appended to under the lock by senders
// and its head inspected and removed under the lock by run; callbacks run without the lock held
// by run. No exception leaves any operation.
#include "CommandFactory.h"
#include "ICommand.h"
#include "IPipitClient.h"
#include "IPipitLock.h"
#include "IPipitSocket.h"
#include "NotifyFactory.h"
#include "PipitError.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class PipitService {
public:
    // The factories and the error mapper refer to *client.
    PipitService(std::unique_ptr<IPipitClient> client, std::unique_ptr<IPipitSocket> socket,
                 std::unique_ptr<IPipitLock> lock, std::unique_ptr<CommandFactory> commandFactory,
                 std::unique_ptr<NotifyFactory> notifyFactory, std::unique_ptr<PipitError> errorMapper);
    // Call only after every thread using the service has ended.
    virtual ~PipitService();
    PipitService(const PipitService&) = delete;
    PipitService& operator=(const PipitService&) = delete;

    // False when the connection could not be set up; nothing is reported to the client then.
    bool connect(const std::string& host, std::uint16_t port) noexcept;
    // The read loop; returns false once the connection has closed.
    bool run() noexcept;
    void close() noexcept;

    // args: keyword first, then its arguments. An unknown keyword or a wrong count sends nothing
    // and reports nothing; a failed send raises onCError(4) on this thread, the command stays
    // queued.
    void sendCommand(const std::vector<std::string>& args) noexcept;
    void user(const std::string& userId, const std::string& userKey, const std::string& channel,
              const std::string& channelKey, const std::string& nickname, const std::string& last) noexcept;
    void msg(const std::string& a1, const std::string& a2, const std::string& a3) noexcept;
    void set(const std::string& key, const std::vector<std::string>& values) noexcept;
    void kick(const std::string& target) noexcept;

private:
    void handleLine(const std::string& line);
    void dispatchResponse(const std::string& line);
    ICommand* pendingHead();
    void dropPendingHead();

    std::unique_ptr<IPipitClient> client_;
    std::unique_ptr<IPipitSocket> socket_;
    std::unique_ptr<IPipitLock> lock_;
    std::unique_ptr<CommandFactory> commandFactory_;
    std::unique_ptr<NotifyFactory> notifyFactory_;
    std::unique_ptr<PipitError> errorMapper_;
    std::deque<std::unique_ptr<ICommand>> pendingCommands_;
};
