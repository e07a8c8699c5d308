#pragma once
// One joined channel: one connection to one chat server.
//
// Threads: the host's thread (every request, and the teardown), the worker (connects under the
// engine lock, sets the connect-finished event, then runs the read loop that raises every client
// callback), and the pinger (a PING per interval until the ping-stop event). The engine lock
// serialises connection set-up and every request; each pending-control list has its own lock.
// The post lock makes "stopping" and posting one step: once the teardown has set stopping under
// it, no record reaches the host window, from any thread.
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "PendingControls.h"
#include "ScopedHandle.h"

class CPipitClient;
class IPipitLock;
class IPipitSocket;
class PipitService;

enum class PostOutcome { Posted, Stopping, Failed };

class CChatSession {
public:
    // Null when memory or an event cannot be had.
    static std::unique_ptr<CChatSession> create(const std::string& serverHost, uint16_t serverPort, HWND hostWindow);
    // Stops both threads (each only if it was started) and destroys everything, in order.
    ~CChatSession();
    CChatSession(const CChatSession&) = delete;
    CChatSession& operator=(const CChatSession&) = delete;

    // Starts the worker, then the pinger: 0, or the error of the start that failed.
    DWORD start();
    void join(const std::string& userId, const std::string& userKey, const std::string& channel,
              const std::string& channelKey, const std::string& nickname, const std::string& lastField);

    void message(const std::string& a, const std::string& b, const std::string& c);
    void controlMessage(const std::string& keyword, const std::string& target, const std::string& value1,
                        const std::string& value2);
    void kickRequest(const std::string& member);
    void reportRequest(const std::string& a, const std::string& b);
    void permissionRequest(const std::string& a, const std::string& b);
    void whoRequest(const std::string& a);
    void getRequest(const std::string& key);
    // Waits for the end of the connection attempt; sends only when connected.
    void setRequest(const std::string& key, const std::string& value);

    // The bridge's side.
    bool isStopping() const noexcept { return stopping_.load() != 0; }
    PostOutcome post(HWND window, UINT message, WPARAM wParam) noexcept;
    PendingControls& controls() noexcept { return controls_; }
    void receiveControl(const std::string& keyword, const std::string& text);

private:
    CChatSession(const std::string& serverHost, uint16_t serverPort, HWND hostWindow);
    static unsigned __stdcall workerMain(void* self);
    static unsigned __stdcall pingMain(void* self);
    void stopAndDestroy() noexcept;

    KernelHandle workerThread_;
    KernelHandle pingThread_;
    std::atomic<int> stopping_{0};
    SRWLOCK postLock_ = SRWLOCK_INIT;
    std::string userKey_, channel_, channelKey_, nickname_, lastField_;
    PendingControls controls_;
    CPipitClient* client_ = nullptr;
    IPipitSocket* socket_ = nullptr;
    IPipitLock* lock_ = nullptr;
    std::unique_ptr<PipitService> service_;  // owns client, socket and lock
    std::string serverHost_;
    uint16_t serverPort_;
    HWND hostWindow_;
    KernelHandle connectFinished_;
    KernelHandle pingStop_;
};
