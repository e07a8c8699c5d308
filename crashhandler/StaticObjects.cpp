// The library's static objects. Built at load in this order and destroyed in reverse: the two
// utilities the crash handler's own construction may use come first.
#include "CrashHandler.h"
#include "MiniDump.h"
#include "Utility.h"

namespace {
Utility g_moduleNames;
Utility g_timeStamps;
CrashHandler g_crashHandler;
MiniDump g_miniDump;
Utility g_conversions;
}  // namespace

Utility& moduleNames() { return g_moduleNames; }
Utility& timeStamps() { return g_timeStamps; }
Utility& conversions() { return g_conversions; }
CrashHandler& CrashHandler::instance() { return g_crashHandler; }
MiniDump& MiniDump::instance() { return g_miniDump; }
