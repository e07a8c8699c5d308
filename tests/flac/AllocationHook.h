#pragma once
// Replaces a loaded module's imports of the C run-time heap functions, so that a test can make
// its N-th allocation fail and see whether everything it allocated was given back.
#include <windows.h>

#include <cstddef>

namespace allocation_hook {

// Patches the module's import table; false when it imports none of the heap functions.
bool install(HMODULE module);
// From now on the allocation with this 1-based number fails (0: none fails); resets the counts.
void failAt(size_t number);
size_t allocations();     // attempted since failAt
size_t liveBlocks();      // allocated since failAt and not freed yet
bool failureInjected();   // the chosen allocation was reached

} // namespace allocation_hook
