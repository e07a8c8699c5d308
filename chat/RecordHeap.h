#pragma once
// Every block handed to the host (records, their strings and lists) comes from here and goes
// back here, so a test build can count them.
#include <cstddef>

void* recordAlloc(std::size_t size);  // zero-filled; null when out of memory
void recordFree(void* block);
