// The record heap of the counted test build: every block handed out and freed is counted, so a
// test sees exactly what a release frees.
#include <windows.h>

#include <atomic>
#include <cstdlib>

#include "RecordHeap.h"

namespace {
std::atomic<long> g_allocated{0};
std::atomic<long> g_freed{0};
}  // namespace

void* recordAlloc(std::size_t size)
{
    void* block = std::calloc(1, size ? size : 1);
    if (block)
        ++g_allocated;
    return block;
}

void recordFree(void* block)
{
    if (block)
        ++g_freed;
    std::free(block);
}

extern "C" void WINAPI YarnlyTest_HeapCounts(long* allocated, long* freed)
{
    *allocated = g_allocated.load();
    *freed = g_freed.load();
}
