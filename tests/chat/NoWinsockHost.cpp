// A host that never starts the socket library: joins a server at the given port through the
// given Yarnly64.dll, pumps its window for a second and a half, and exits with 0 when it got a
// handle and the first message posted was the transport error 4 of a failed PING.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "Yarnly.h"

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    HMODULE library = LoadLibraryA(argv[1]);
    auto join = reinterpret_cast<decltype(&Yarnly_Join)>(reinterpret_cast<void*>(GetProcAddress(library, "Yarnly_Join")));
    auto leave = reinterpret_cast<decltype(&Yarnly_Leave)>(reinterpret_cast<void*>(GetProcAddress(library, "Yarnly_Leave")));
    if (!join || !leave)
        return 3;
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    YarnlySession session = join("127.0.0.1", std::atoi(argv[2]), window, "o", "u", "", "c", "", "n", "");
    if (!session)
        return 4;
    UINT first = 0;
    WPARAM firstCode = 0;
    const ULONGLONG end = GetTickCount64() + 1500;
    while (GetTickCount64() < end) {
        MSG msg;
        while (PeekMessageW(&msg, window, 0, 0, PM_REMOVE))
            if (!first && msg.message >= CHATMSG_KICK && msg.message <= CHATMSG_CONN_ERROR) {
                first = msg.message;
                firstCode = msg.wParam;
            }
        Sleep(10);
    }
    leave(session);
    std::printf("first message %u, wParam %llu\n", first, static_cast<unsigned long long>(firstCode));
    return first == CHATMSG_CONN_ERROR && firstCode == 4 ? 0 : 1;
}
