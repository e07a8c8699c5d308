#include "CChatSession.h"

#include <process.h>

#include <mutex>

#include "CPipitClient.h"
#include "CPipitLock.h"
#include "CPipitSocket.h"
#include "ControlText.h"
#include "LogLine.h"
#include "PingInterval.h"
#include "PipitService.h"

CChatSession::CChatSession(const std::string& serverHost, uint16_t serverPort, HWND hostWindow)
    : serverHost_(serverHost), serverPort_(serverPort), hostWindow_(hostWindow)
{
    auto client = std::make_unique<CPipitClient>(hostWindow, *this);
    auto socket = std::make_unique<CPipitSocket>();
    auto lock = std::make_unique<CPipitLock>();
    client_ = client.get();
    socket_ = socket.get();
    lock_ = lock.get();
    auto commands = std::make_unique<CommandFactory>(*client);
    auto notifications = std::make_unique<NotifyFactory>(*client);
    auto errors = std::make_unique<PipitError>(*client);
    service_ = std::make_unique<PipitService>(std::move(client), std::move(socket), std::move(lock),
                                              std::move(commands), std::move(notifications), std::move(errors));
    connectFinished_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    pingStop_.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
}

std::unique_ptr<CChatSession> CChatSession::create(const std::string& serverHost, uint16_t serverPort,
                                                   HWND hostWindow)
{
    std::unique_ptr<CChatSession> session(new CChatSession(serverHost, serverPort, hostWindow));
    if (!session->connectFinished_ || !session->pingStop_)
        return nullptr;
    return session;
}

CChatSession::~CChatSession()
{
    stopAndDestroy();
}

DWORD CChatSession::start()
{
    workerThread_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &workerMain, this, 0, nullptr)));
    if (!workerThread_)
        return GetLastError() ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY;
    pingThread_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &pingMain, this, 0, nullptr)));
    if (!pingThread_)
        return GetLastError() ? GetLastError() : ERROR_NOT_ENOUGH_MEMORY;
    return 0;
}

unsigned __stdcall CChatSession::workerMain(void* self)
{
    auto& session = *static_cast<CChatSession*>(self);
    bool connected;
    {
        std::lock_guard<IPipitLock> hold(*session.lock_);
        connected = session.service_->connect(session.serverHost_, session.serverPort_);
        SetEvent(session.connectFinished_.get());
    }
    if (connected)
        session.service_->run();
    writeLogLine("[Yarnly](worker) stop:i got it");
    return 0;
}

unsigned __stdcall CChatSession::pingMain(void* self)
{
    auto& session = *static_cast<CChatSession*>(self);
    for (;;) {
        switch (WaitForSingleObject(session.pingStop_.get(), kPingIntervalMs)) {
        case WAIT_TIMEOUT:
            session.service_->sendCommand({"PING"});
            break;
        case WAIT_OBJECT_0:
            writeLogLine("[Yarnly](ping) stop:i got it");
            ResetEvent(session.pingStop_.get());
            return 0;
        default:
            return 0xFFFFFFFF;
        }
    }
}

void CChatSession::stopAndDestroy() noexcept
{
    AcquireSRWLockExclusive(&postLock_);
    stopping_.store(1);
    ReleaseSRWLockExclusive(&postLock_);
    service_->close();
    SetEvent(pingStop_.get());
    if (workerThread_) {
        WaitForSingleObject(workerThread_.get(), INFINITE);
        workerThread_.reset();
    }
    if (pingThread_) {
        WaitForSingleObject(pingThread_.get(), INFINITE);
        pingThread_.reset();
    }
    service_.reset();
    client_ = nullptr;
    socket_ = nullptr;
    lock_ = nullptr;
    connectFinished_.reset();
    pingStop_.reset();
    controls_.clearAll();
}

PostOutcome CChatSession::post(HWND window, UINT message, WPARAM wParam) noexcept
{
    AcquireSRWLockShared(&postLock_);
    PostOutcome outcome = PostOutcome::Stopping;
    if (!stopping_.load())
        outcome = PostMessageA(window, message, wParam, reinterpret_cast<LPARAM>(this)) ? PostOutcome::Posted
                                                                                         : PostOutcome::Failed;
    ReleaseSRWLockShared(&postLock_);
    return outcome;
}

void CChatSession::join(const std::string& userId, const std::string& userKey, const std::string& channel,
                        const std::string& channelKey, const std::string& nickname, const std::string& lastField)
{
    if (userId.empty())
        setRequest("PRIVATE", "TRUE");
    userKey_ = userKey;
    channel_ = channel;
    channelKey_ = channelKey;
    nickname_ = nickname;
    lastField_ = lastField;
    WaitForSingleObject(connectFinished_.get(), INFINITE);
    if (socket_->isConnected())
        service_->user(userId, userKey_, channel_, channelKey_, nickname_, lastField_);
}

void CChatSession::message(const std::string& a, const std::string& b, const std::string& c)
{
    service_->msg(a, b, c);
}

void CChatSession::controlMessage(const std::string& keyword, const std::string& target, const std::string& value1,
                                  const std::string& value2)
{
    if (!controls_.store(keyword, target, value1, value2))
        return;
    service_->msg("@", keyword, encodeControl(target, value1, value2));
}

void CChatSession::receiveControl(const std::string& keyword, const std::string& text)
{
    const PendingControl control = decodeControl(text);
    controls_.store(keyword, control.target, control.value1, control.value2);
}

void CChatSession::kickRequest(const std::string& member)
{
    service_->kick(member);
}

void CChatSession::reportRequest(const std::string& a, const std::string& b)
{
    service_->sendCommand({"REPORT", a, b});
}

void CChatSession::permissionRequest(const std::string& a, const std::string& b)
{
    service_->sendCommand({"PERM", a, b});
}

void CChatSession::whoRequest(const std::string& a)
{
    service_->sendCommand({"WHO", a});
}

void CChatSession::getRequest(const std::string& key)
{
    service_->sendCommand({"GET", key});
}

void CChatSession::setRequest(const std::string& key, const std::string& value)
{
    WaitForSingleObject(connectFinished_.get(), INFINITE);
    if (socket_->isConnected())
        service_->set(key, {value});
}
