#include "FrameRecord.h"

FrameRecord* newFrameRecord()
{
    return static_cast<FrameRecord*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY | HEAP_GENERATE_EXCEPTIONS, sizeof(FrameRecord)));
}

void freeFrameRecords(FrameRecord*& first)
{
    while (first) {
        FrameRecord* next = first->next;
        HeapFree(GetProcessHeap(), 0, first);
        first = next;
    }
}
