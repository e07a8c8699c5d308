#pragma once
#include <cstddef>

inline constexpr std::size_t kEnginePathChars = 260;  // MAX_PATH

// Replaces everything after the last '\' of `path` (a launcher's own full path, in a buffer of
// kEnginePathChars) with the engine's file name. A path without '\' is left unchanged. Returns
// false when the engine's name does not fit behind the directory: such a path names no engine.
bool placeEngineName(wchar_t* path);
