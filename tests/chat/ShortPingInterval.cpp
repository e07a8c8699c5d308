#include "PingInterval.h"

const DWORD kPingIntervalMs = 200;
