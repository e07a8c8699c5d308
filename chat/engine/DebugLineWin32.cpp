#include "DebugLine.h"

#include <windows.h>

void writeDebugLine(const std::string& line) noexcept { OutputDebugStringA(line.c_str()); }
