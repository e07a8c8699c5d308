#pragma once
// What this process holds right now: its threads and its kernel handles.
#include <cstddef>

std::size_t threadCount();
// Counted from the system's handle table: Wine's GetProcessHandleCount always reports 0.
std::size_t handleCount();
