#include "ScriptedServer.h"

bool skipUntil(LineConnection& peer, const std::string& keyword, DWORD timeoutMs, std::string* found)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        const auto line = peer.readLine(static_cast<DWORD>(deadline - now));
        if (!line)
            return false;
        if (*line == keyword || line->rfind(keyword + " ", 0) == 0) {
            if (found)
                *found = *line;
            return true;
        }
    }
}
