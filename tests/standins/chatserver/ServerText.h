#pragma once
// The server's side of the field escaping: CR, LF, TAB, space and backslash as two bytes.
#include <string>
#include <vector>

std::string escapeField(const std::string& text);
std::string unescapeField(const std::string& text);
std::vector<std::string> splitFields(const std::string& line);
