#pragma once
// Debugger output of the chat library. Each line is composed in a buffer of its own call, so
// sessions and threads never share one.
#if defined(__GNUC__)
#define YARNLY_PRINTF(f, a) __attribute__((format(printf, f, a)))
#else
#define YARNLY_PRINTF(f, a)
#endif

void writeLogLine(const char* format, ...) YARNLY_PRINTF(1, 2);
// Lines of routine events (every notification and reply): composed and written only while a
// debugger is attached, since writing one costs more than the rest of delivering the event.
void traceLogLine(const char* format, ...) YARNLY_PRINTF(1, 2);
