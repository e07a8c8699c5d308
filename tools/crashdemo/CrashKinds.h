#pragma once
// The ways the demo program can crash, by the name given on its command line.
#include <string>

// Crashes as `kind` says; returns false (without crashing) for an unknown kind.
bool crashAs(const std::string& kind);
const char* crashKindNames();
