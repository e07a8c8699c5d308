#include "PingInterval.h"

const DWORD kPingIntervalMs = 120000;
