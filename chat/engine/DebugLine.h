#pragma once
#include <string>

// One diagnostic line of the engine: the debugger output on Windows, stderr in the native build.
void writeDebugLine(const std::string& line) noexcept;
