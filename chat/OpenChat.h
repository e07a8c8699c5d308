#pragma once
// Opening a channel on the chat web service: one GET, and the token out of the response body.
#include <cstdint>
#include <string>

#include "OpenResult.h"

// The chat web service's host (with an optional ":port"): a constant of the library that the
// environment variable YARNLY_WEB_SERVICE_HOST overrides, for tests and for deployments.
std::string webServiceHost();

// The second "@"-separated token of the body (empty when there is none).
std::string tokenOfBody(const std::string& body);

// Writes the token, or an empty text on failure, into `tokenOut`.
OpenResult openChat(const char* ownerKey, const char* channelKey, const char* title, const char* channelExt,
                    char* tokenOut);
