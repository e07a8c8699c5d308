#include "OpenResult.h"

const char* openResultName(OpenResult result)
{
    switch (result) {
    case OpenResult::Ok: return "ok";
    case OpenResult::InternetOpenFailed: return "InternetOpenA failed";
    case OpenResult::ConnectFailed: return "InternetConnectA failed";
    case OpenResult::OpenRequestFailed: return "HttpOpenRequestA failed";
    case OpenResult::AddHeadersFailed: return "HttpAddRequestHeadersA failed";
    case OpenResult::SendRequestFailed: return "HttpSendRequestA failed";
    case OpenResult::BodyFailed: return "body unreadable or too long";
    case OpenResult::HeadersFailed: return "headers unreadable or too long";
    case OpenResult::NoMemory: return "out of memory";
    case OpenResult::MissingArgument: return "missing argument";
    }
    return "unknown";
}
