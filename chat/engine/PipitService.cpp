#include "PipitService.h"

#include "DebugLine.h"
#include "Keywords.h"
#include "StringUtil.h"

#include <mutex>
#include <new>

namespace {

// A callback or a parser that throws must not take the connection down with it.
template <class Step>
void guarded(const char* what, Step&& step) noexcept
{
    try {
        step();
    } catch (const std::bad_alloc&) {
        writeDebugLine(std::string("[Yarnly]engine:out of memory:") + what);
    } catch (...) {
        writeDebugLine(std::string("[Yarnly]engine:failure:") + what);
    }
}

} // namespace

PipitService::PipitService(std::unique_ptr<IPipitClient> client, std::unique_ptr<IPipitSocket> socket,
                           std::unique_ptr<IPipitLock> lock, std::unique_ptr<CommandFactory> commandFactory,
                           std::unique_ptr<NotifyFactory> notifyFactory, std::unique_ptr<PipitError> errorMapper)
    : client_(std::move(client)), socket_(std::move(socket)), lock_(std::move(lock)),
      commandFactory_(std::move(commandFactory)), notifyFactory_(std::move(notifyFactory)),
      errorMapper_(std::move(errorMapper))
{
}

PipitService::~PipitService()
{
    close();
    // The queued commands refer to the client: release them before it.
    pendingCommands_.clear();
    client_.reset();
    socket_.reset();
    lock_.reset();
    errorMapper_.reset();
    notifyFactory_.reset();
    commandFactory_.reset();
}

bool PipitService::connect(const std::string& host, std::uint16_t port) noexcept
{
    bool connected = false;
    guarded("connect", [&] {
        try {
            connected = socket_->connect(host, port);
        } catch (int code) {
            client_->onCError(code);
        }
    });
    return connected;
}

bool PipitService::run() noexcept
{
    while (socket_->isConnected()) {
        std::string line;
        try {
            line = socket_->readLine();
        } catch (int code) {
            guarded("onCError", [&] { client_->onCError(code); });
            continue;
        } catch (...) {
            // Out of memory while receiving: the stream can no longer be trusted to be whole.
            close();
            guarded("onCError", [&] { client_->onCError(ReceiveFailed); });
            continue;
        }
        guarded("line dropped", [&] { handleLine(line); });
    }
    return false;
}

void PipitService::close() noexcept
{
    guarded("close", [&] { socket_->close(); });
}

void PipitService::sendCommand(const std::vector<std::string>& args) noexcept
{
    guarded("command not sent", [&] {
        std::lock_guard<IPipitLock> hold(*lock_);
        std::unique_ptr<ICommand> command = commandFactory_->create(args);
        if (!command)
            return;
        // Queued before its line leaves, so its response always finds it.
        const ICommand& queued = *command;
        pendingCommands_.push_back(std::move(command));
        try {
            socket_->send(queued.line());
        } catch (int code) {
            client_->onCError(code);
        }
    });
}

void PipitService::user(const std::string& userId, const std::string& userKey, const std::string& channel,
                        const std::string& channelKey, const std::string& nickname, const std::string& last) noexcept
{
    guarded("user", [&] {
        sendCommand({std::string(Keyword::User), userId, userKey, channel, channelKey, nickname, last});
    });
}

void PipitService::msg(const std::string& a1, const std::string& a2, const std::string& a3) noexcept
{
    guarded("msg", [&] { sendCommand({std::string(Keyword::Msg), a1, a2, a3}); });
}

void PipitService::set(const std::string& key, const std::vector<std::string>& values) noexcept
{
    guarded("set", [&] {
        std::vector<std::string> args{std::string(Keyword::Set), key};
        args.insert(args.end(), values.begin(), values.end());
        sendCommand(args);
    });
}

void PipitService::kick(const std::string& target) noexcept
{
    guarded("kick", [&] { sendCommand({std::string(Keyword::Kick), target, "TRUE"}); });
}

void PipitService::handleLine(const std::string& line)
{
    if (line.empty() || line[0] != ':') {
        dispatchResponse(line);
        return;
    }
    const std::string_view text = std::string_view(line).substr(1);
    if (std::unique_ptr<INotify> notification = notifyFactory_->create(text))
        notification->notify();
    else
        client_->onNotInitNotify(std::string(text));
}

void PipitService::dispatchResponse(const std::string& line)
{
    std::vector<std::string> fields;
    StringUtil::split(line, ' ', fields);
    if (errorMapper_->check(fields[0])) {
        dropPendingHead();
        return;
    }
    ICommand* head = pendingHead();
    if (!head) {
        writeDebugLine("[Yarnly]engine:response without pending command dropped:" + line);
        return;
    }
    CommandStatus status;
    try {
        status = head->handleResponse(fields);
    } catch (...) {
        // Its callback (or its bookkeeping) failed: the command is over either way.
        dropPendingHead();
        throw;
    }
    if (status != CommandStatus::More)
        dropPendingHead();
}

// Only this thread removes commands, so the head stays valid after the lock is released; senders
// only append.
ICommand* PipitService::pendingHead()
{
    std::lock_guard<IPipitLock> hold(*lock_);
    return pendingCommands_.empty() ? nullptr : pendingCommands_.front().get();
}

void PipitService::dropPendingHead()
{
    std::unique_ptr<ICommand> finished;
    {
        std::lock_guard<IPipitLock> hold(*lock_);
        if (pendingCommands_.empty())
            return;
        finished = std::move(pendingCommands_.front());
        pendingCommands_.pop_front();
    }
}
