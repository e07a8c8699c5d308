#include "DebugLine.h"

#include <cstdio>

void writeDebugLine(const std::string& line) noexcept { std::fprintf(stderr, "%s\n", line.c_str()); }
