#pragma once
// The ways the demo program can crash, by the name given on its command line.
#include <string>

// Crashes as `kind` says ("none": not at all); returns false for an unknown kind.
bool crashAs(const std::string& kind);
const char* crashKindNames();
