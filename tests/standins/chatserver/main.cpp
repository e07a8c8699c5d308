// chatserver [port]: the chat server stand-in on 127.0.0.1 until its standard input ends.
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "ChatServer.h"

int main(int argc, char** argv)
{
    try {
        ChatServer server(static_cast<uint16_t>(argc > 1 ? std::atoi(argv[1]) : 0));
        std::printf("chat server stand-in listening on 127.0.0.1:%u\n", server.port());
        std::fflush(stdout);
        while (std::getchar() != EOF) {
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "chatserver: %s\n", e.what());
        return 1;
    }
    return 0;
}
