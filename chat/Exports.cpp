// The twelve exports. No exception leaves them; a request that runs out of memory is dropped.
#include "Yarnly.h"

#include <memory>
#include <string>

#include "CChatSession.h"
#include "HostRecords.h"
#include "LogLine.h"
#include "OpenChat.h"

namespace {

std::string text(const char* s)
{
    return s ? std::string(s) : std::string();
}

CChatSession* sessionOf(YarnlySession handle)
{
    return reinterpret_cast<CChatSession*>(handle);
}

template <class Body>
void guarded(const char* function, Body&& body) noexcept
{
    try {
        body();
    } catch (...) {
        writeLogLine("[Yarnly]%s: out of memory", function);
    }
}

}  // namespace

extern "C" {

YarnlySession WINAPI Yarnly_Join(const char* serverHost, int32_t serverPort, HWND hostWindow, const char* owner,
                                 const char* userId, const char* userKey, const char* channel,
                                 const char* channelKey, const char* nickname, const char* lastField)
{
    if (!serverHost || serverPort <= 0 || serverPort > 0xFFFF || !hostWindow)
        return nullptr;
    YarnlySession handle = nullptr;
    guarded("Yarnly_Join", [&] {
        std::unique_ptr<CChatSession> session =
            CChatSession::create(serverHost, static_cast<uint16_t>(serverPort), hostWindow);
        if (!session)
            return;
        if (const DWORD error = session->start()) {
            writeLogLine("[Yarnly]Yarnly_Join: thread start failed:%lu", error);
            return;
        }
        session->join(text(userId), text(userKey), text(channel), text(channelKey), text(nickname),
                      text(lastField));
        if (owner && *owner)
            session->setRequest("OWNER", owner);
        handle = reinterpret_cast<YarnlySession>(session.release());
    });
    return handle;
}

void WINAPI Yarnly_Leave(YarnlySession session)
{
    delete sessionOf(session);
}

void WINAPI Yarnly_Msg(YarnlySession session, const char* a, const char* b, const char* c)
{
    if (session)
        guarded("Yarnly_Msg", [&] { sessionOf(session)->message(text(a), text(b), text(c)); });
}

void WINAPI Yarnly_Msg_Ex(YarnlySession session, const char* keyword, const char* target, const char* value1,
                          const char* value2)
{
    if (session && keyword)
        guarded("Yarnly_Msg_Ex",
                [&] { sessionOf(session)->controlMessage(keyword, text(target), text(value1), text(value2)); });
}

void WINAPI Yarnly_Kick(YarnlySession session, const char* member)
{
    if (session)
        guarded("Yarnly_Kick", [&] { sessionOf(session)->kickRequest(text(member)); });
}

void WINAPI Yarnly_Report(YarnlySession session, const char* a, const char* b)
{
    if (session)
        guarded("Yarnly_Report", [&] { sessionOf(session)->reportRequest(text(a), text(b)); });
}

void WINAPI Yarnly_Perm(YarnlySession session, const char* a, const char* b)
{
    if (session)
        guarded("Yarnly_Perm", [&] { sessionOf(session)->permissionRequest(text(a), text(b)); });
}

void WINAPI Yarnly_Who(YarnlySession session, const char* a)
{
    if (session)
        guarded("Yarnly_Who", [&] { sessionOf(session)->whoRequest(text(a)); });
}

void WINAPI Yarnly_Get(YarnlySession session, const char* key)
{
    if (session)
        guarded("Yarnly_Get", [&] { sessionOf(session)->getRequest(text(key)); });
}

void WINAPI Yarnly_Set(YarnlySession session, const char* key, const char* value)
{
    if (session)
        guarded("Yarnly_Set", [&] { sessionOf(session)->setRequest(text(key), text(value)); });
}

uint32_t WINAPI Yarnly_Open(void*, void*, const char* ownerKey, const char* channelKey, const char* title,
                            const char* channelExt, char* tokenOut)
{
    uint32_t result = YARNLY_OPEN_NO_MEMORY;
    guarded("Yarnly_Open", [&] {
        result = static_cast<uint32_t>(openChat(ownerKey, channelKey, title, channelExt, tokenOut));
    });
    return result;
}

void WINAPI Yarnly_FreeMsg(uint32_t message, void* record)
{
    if (!freeRecord(message, record))
        writeLogLine("[Yarnly]error:undefined msg");
}

}  // extern "C"
