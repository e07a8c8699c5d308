#include "RecordHeap.h"

#include <cstdlib>

void* recordAlloc(std::size_t size)
{
    // One byte for empty lists, so they are still a block of their own.
    return std::calloc(1, size ? size : 1);
}

void recordFree(void* block)
{
    std::free(block);
}
