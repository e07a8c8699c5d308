#include "IPipitSocket.h"

const char* transportErrorName(int code) noexcept
{
    switch (code) {
    case ConnectFailed: return "ConnectFailed";
    case ReceiveFailed: return "ReceiveFailed";
    case SendFailed: return "SendFailed";
    default: return "TransportError";
    }
}
