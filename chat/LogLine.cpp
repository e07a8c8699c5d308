#include "LogLine.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

void writeFormatted(const char* format, va_list args)
{
    char small[512];
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(small, sizeof small, format, args);
    if (length < 0) {
        va_end(again);
        return;
    }
    if (static_cast<std::size_t>(length) < sizeof small) {
        va_end(again);
        OutputDebugStringA(small);
        return;
    }
    // Chat texts may be long; a line that cannot get its buffer is dropped, never cut short.
    try {
        std::vector<char> large(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(large.data(), large.size(), format, again);
        OutputDebugStringA(large.data());
    } catch (...) {
    }
    va_end(again);
}

}  // namespace

void writeLogLine(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    writeFormatted(format, args);
    va_end(args);
}

void traceLogLine(const char* format, ...)
{
    if (!IsDebuggerPresent())
        return;
    va_list args;
    va_start(args, format);
    writeFormatted(format, args);
    va_end(args);
}
