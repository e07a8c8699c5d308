#pragma once
#include "ScopedHandle.h"

#include <winsock2.h>

struct SocketHandleTraits {
    using Handle = SOCKET;
    static Handle invalid() noexcept { return INVALID_SOCKET; }
    static void close(Handle s) noexcept { closesocket(s); }
};

using SocketHandle = ScopedHandle<SocketHandleTraits>;
