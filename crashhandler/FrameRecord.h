#pragma once
#include <windows.h>

// One frame of the walked call stack; a zero-filled process-heap block, freed at unload.
struct FrameRecord {
    FrameRecord* next;
    DWORD segment;
    DWORD64 programCounter;
    DWORD section;  // the fallback walk only
    DWORD64 offset;  // the fallback walk only
    DWORD64 framePointer;
    DWORD64 parameters[4];
    char moduleName[MAX_PATH];
    char symbolName[128];
    DWORD64 symbolDisplacement;
    char sourceFile[MAX_PATH];
    DWORD64 lineNumber;
    DWORD64 lineDisplacement;
};

// Allocation that raises a structured exception when the heap is exhausted; the guards turn that
// into the end of the step.
FrameRecord* newFrameRecord();
void freeFrameRecords(FrameRecord*& first);
