#pragma once
#include <windows.h>

// Milliseconds between two PINGs; defined in a unit of its own so a test build can shorten it.
extern const DWORD kPingIntervalMs;
