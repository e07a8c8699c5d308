#pragma once
// One readable line per chat message, from the record the library posted.
#include <windows.h>

#include <string>

// The message's short name, as "/await" takes it: "MSG", "KICK_EX", ...
std::string eventName(UINT message);
std::string describeEvent(UINT message, WPARAM wParam);
