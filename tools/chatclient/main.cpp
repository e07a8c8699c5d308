// chatclient <server> <port> <user id> <channel> [nickname]
//
// A console host of Yarnly64.dll: loads the DLL beside it, joins the channel with a message-only
// window, prints every event it receives as a line and sends what is typed:
//   text                         a chat message to the channel
//   /kick id   /who id|@   /get key   /set key value   /perm id value   /report id why
//   /control KEYWORD target value1 value2      a pending control (VEX_KICK, VEX_PERM, ...)
//   /await NAME   wait (10 s at most) until an event of that name has arrived (MSG, KICK_EX, ...)
//   /wait ms      /quit
#include <winsock2.h>
#include <windows.h>

#include <Yarnly.h>

#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>

#include "EventText.h"
#include "ScopedHandle.h"

namespace {

constexpr UINT kInputLine = WM_APP + 1;  // lParam: a heap std::string
constexpr UINT kInputEnded = WM_APP + 2;

struct Api {
    decltype(&Yarnly_Join) join;
    decltype(&Yarnly_Leave) leave;
    decltype(&Yarnly_Msg) msg;
    decltype(&Yarnly_Msg_Ex) msgEx;
    decltype(&Yarnly_Kick) kick;
    decltype(&Yarnly_Report) report;
    decltype(&Yarnly_Perm) perm;
    decltype(&Yarnly_Who) who;
    decltype(&Yarnly_Get) get;
    decltype(&Yarnly_Set) set;
    decltype(&Yarnly_FreeMsg) freeMsg;
};

template <class F>
bool bind(HMODULE module, const char* name, F& function)
{
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    return function != nullptr;
}

struct Client {
    Api api{};
    std::string user;
    YarnlySession session = nullptr;
    std::mutex mutex;
    std::condition_variable arrived;
    std::map<std::string, int> unseen;  // events not yet consumed by /await
};
Client g_client;

void say(const std::string& line)
{
    std::printf("[%s] %s\n", g_client.user.c_str(), line.c_str());
    std::fflush(stdout);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= CHATMSG_KICK && message <= CHATMSG_CONN_ERROR) {
        if (reinterpret_cast<YarnlySession>(lParam) == g_client.session)
            say(describeEvent(message, wParam));
        // Also records of a session already left, and messages without one, which it refuses.
        if (message != CHATMSG_SERVER_ERROR && message != CHATMSG_KICKED && message != CHATMSG_CONN_ERROR)
            g_client.api.freeMsg(message, reinterpret_cast<void*>(wParam));
        {
            std::lock_guard lock(g_client.mutex);
            ++g_client.unseen[eventName(message)];
        }
        g_client.arrived.notify_all();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Runs one typed line on the host's thread; false for /quit.
bool perform(const std::string& line)
{
    const Api& api = g_client.api;
    YarnlySession s = g_client.session;
    if (line.empty() || line[0] != '/') {
        if (!line.empty())
            api.msg(s, "@", "TEXT", line.c_str());
        return true;
    }
    std::istringstream in(line);
    std::string command, a, b, c, d;
    in >> command >> a >> b;
    std::string rest;
    std::getline(in >> std::ws, rest);
    if (command == "/quit")
        return false;
    if (command == "/kick")
        api.kick(s, a.c_str());
    else if (command == "/who")
        api.who(s, a.c_str());
    else if (command == "/get")
        api.get(s, a.c_str());
    else if (command == "/set")
        api.set(s, a.c_str(), (b + (rest.empty() ? "" : " " + rest)).c_str());
    else if (command == "/perm")
        api.perm(s, a.c_str(), b.c_str());
    else if (command == "/report")
        api.report(s, a.c_str(), b.c_str());
    else if (command == "/control") {
        std::istringstream values(rest);
        values >> c >> d;
        api.msgEx(s, a.c_str(), b.c_str(), c.c_str(), d.c_str());
    } else
        say("unknown command " + command);
    return true;
}

// Reads standard input; /wait and /await pause the reading, everything else goes to the window.
void readInput(HWND window)
{
    char buffer[4096];
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        std::string line(buffer);
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.rfind("/wait ", 0) == 0) {
            Sleep(static_cast<DWORD>(std::stoul(line.substr(6))));
            continue;
        }
        if (line.rfind("/await ", 0) == 0) {
            const std::string name = line.substr(7);
            std::unique_lock lock(g_client.mutex);
            if (!g_client.arrived.wait_for(lock, std::chrono::seconds(10), [&] { return g_client.unseen[name] > 0; }))
                std::printf("[%s] (no %s within 10 s)\n", g_client.user.c_str(), name.c_str());
            else
                --g_client.unseen[name];
            continue;
        }
        PostMessageW(window, kInputLine, 0, reinterpret_cast<LPARAM>(new std::string(line)));
    }
    PostMessageW(window, kInputEnded, 0, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: chatclient <server> <port> <user id> <channel> [nickname]\n");
        return 2;
    }
    g_client.user = argv[3];
    ModuleHandle library(LoadLibraryW(L"Yarnly64.dll"));
    Api& api = g_client.api;
    if (!library || !bind(library.get(), "Yarnly_Join", api.join) || !bind(library.get(), "Yarnly_Leave", api.leave) ||
        !bind(library.get(), "Yarnly_Msg", api.msg) || !bind(library.get(), "Yarnly_Msg_Ex", api.msgEx) ||
        !bind(library.get(), "Yarnly_Kick", api.kick) || !bind(library.get(), "Yarnly_Report", api.report) ||
        !bind(library.get(), "Yarnly_Perm", api.perm) || !bind(library.get(), "Yarnly_Who", api.who) ||
        !bind(library.get(), "Yarnly_Get", api.get) || !bind(library.get(), "Yarnly_Set", api.set) ||
        !bind(library.get(), "Yarnly_FreeMsg", api.freeMsg)) {
        std::fprintf(stderr, "chatclient: cannot load Yarnly64.dll\n");
        return 1;
    }
    WSADATA wsa;
    WSAStartup(MAKEWORD(2, 2), &wsa);

    WNDCLASSW wc{};
    wc.lpfnWndProc = windowProcedure;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"YarnlyConsoleHost";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);

    const char* nickname = argc > 5 ? argv[5] : argv[3];
    g_client.session = api.join(argv[1], std::atoi(argv[2]), window, nullptr, argv[3], "", argv[4], "", nickname, "");
    if (!g_client.session) {
        std::fprintf(stderr, "chatclient: join refused\n");
        return 1;
    }
    std::thread input(readInput, window);
    input.detach();  // a blocked console read cannot be cancelled; the process ends it

    MSG msg;
    bool running = true;
    while (running && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == kInputLine) {
            std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(msg.lParam));
            running = perform(*line);
        } else if (msg.message == kInputEnded) {
            running = false;
        } else {
            DispatchMessageW(&msg);
        }
    }
    api.leave(g_client.session);
    say("left");
    // Records posted before the leave still belong to this host.
    while (PeekMessageW(&msg, window, CHATMSG_KICK, CHATMSG_CONN_ERROR, PM_REMOVE))
        DispatchMessageW(&msg);
    DestroyWindow(window);
    WSACleanup();
    return 0;
}
