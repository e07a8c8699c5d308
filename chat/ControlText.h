#pragma once
// The text form of a pending control inside a chat message: target, value 1 and value 2, each
// with "%" and "&" escaped, joined by "&".
#include <string>

#include "PendingControls.h"

std::string encodeControl(const std::string& target, const std::string& value1, const std::string& value2);
// Empty fields vanish (a run of "&" is one separator); missing fields are empty.
PendingControl decodeControl(const std::string& text);
