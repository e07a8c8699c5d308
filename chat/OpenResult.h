#pragma once
// Result codes of the open-chat web request, with their names for the debugger line.
#include <cstdint>

#include "Yarnly.h"

enum class OpenResult : uint32_t {
    Ok = YARNLY_OPEN_OK,
    InternetOpenFailed = YARNLY_OPEN_INTERNET_OPEN_FAILED,
    ConnectFailed = YARNLY_OPEN_CONNECT_FAILED,
    OpenRequestFailed = YARNLY_OPEN_OPEN_REQUEST_FAILED,
    AddHeadersFailed = YARNLY_OPEN_ADD_HEADERS_FAILED,
    SendRequestFailed = YARNLY_OPEN_SEND_REQUEST_FAILED,
    BodyFailed = YARNLY_OPEN_BODY_FAILED,
    HeadersFailed = YARNLY_OPEN_HEADERS_FAILED,
    NoMemory = YARNLY_OPEN_NO_MEMORY,
    MissingArgument = YARNLY_OPEN_MISSING_ARGUMENT,
};

const char* openResultName(OpenResult result);
