// The walk of the faulting thread's stack into the frame list.
#include <windows.h>

#include "CrashHandler.h"
#include "FrameRecord.h"
#include "SehGuard.h"
#include "SymbolScratch.h"
#include "Utility.h"

namespace {

enum FrameDetail : DWORD { kParameters = 1, kModuleName = 2, kSymbol = 4, kSourceLine = 8 };

CONTEXT g_context;
STACKFRAME64 g_frame;

BOOL CALLBACK readMemory(HANDLE, DWORD64 address, PVOID buffer, DWORD size, LPDWORD read)
{
    SIZE_T count = 0;
    const BOOL ok = ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(address), buffer, size, &count);
    *read = static_cast<DWORD>(count);
    return ok;
}

// An x64 frame as the frame-pointer chain leaves it: the caller's frame pointer, the return
// address, then the caller's register home area, whose first four words are the parameters.
struct ChainedFrame {
    DWORD64 callerFrame;
    DWORD64 returnAddress;
    DWORD64 parameters[4];
};

bool usableFrame(DWORD64 frame)
{
    return (frame & 3) == 0 && !IsBadWritePtr(reinterpret_cast<void*>(frame), 16);
}

}  // namespace

void CrashHandler::walkStack(EXCEPTION_POINTERS* pointers, DWORD detail)
{
    if (IsBadReadPtr(pointers, sizeof *pointers))
        return;
    ZeroMemory(&g_frame, sizeof g_frame);
    const CONTEXT& crash = *pointers->ContextRecord;
    g_frame.AddrPC = {crash.Rip, 0, AddrModeFlat};
    g_frame.AddrStack = {crash.Rsp, 0, AddrModeFlat};
    g_frame.AddrFrame = {crash.Rbp, 0, AddrModeFlat};
    g_context = crash;

    if (!debugHelp.present()) {
        walkFramePointers();
        return;
    }
    runGuarded([&] {
        const HANDLE process = GetCurrentProcess();
        initSymbolHandler();
        if (!record.frames)
            record.frames = newFrameRecord();
        FrameRecord* current = record.frames;
        FrameRecord* spare = nullptr;
        for (bool first = true;; first = false) {
            if (!debugHelp.StackWalk64(IMAGE_FILE_MACHINE_AMD64, process, crashThread ? crashThread : GetCurrentThread(), &g_frame, &g_context,
                                       readMemory, debugHelp.SymFunctionTableAccess64,
                                       debugHelp.SymGetModuleBase64, nullptr) ||
                g_frame.AddrFrame.Offset == 0)
                break;
            const DWORD64 moduleBase = debugHelp.SymGetModuleBase64(process, g_frame.AddrPC.Offset);
            if (!moduleBase)
                break;
            if (!first) {
                current->next = spare;
                current = spare;
            }
            current->programCounter = g_frame.AddrPC.Offset;
            current->segment = g_context.SegCs;
            current->framePointer = g_frame.AddrFrame.Offset;
            if (detail & kParameters)
                for (int i = 0; i < 4; ++i)
                    current->parameters[i] = g_frame.Params[i];
            if (detail & kModuleName)
                moduleNames().moduleName(process, reinterpret_cast<HMODULE>(moduleBase), current->moduleName, MAX_PATH);
            if (detail & kSymbol) {
                IMAGEHLP_SYMBOL64* symbol = clearedSymbol(96);
                symbol->Address = g_frame.AddrPC.Offset;
                DWORD64 displacement = 0;
                if (debugHelp.SymGetSymFromAddr64(process, g_frame.AddrPC.Offset, &displacement, symbol)) {
                    lstrcpynA(current->symbolName, symbol->Name, sizeof current->symbolName);
                    if (displacement)
                        current->symbolDisplacement = displacement;
                }
            }
            if (detail & kSourceLine) {
                IMAGEHLP_LINE64* line = clearedLine();
                DWORD displacement = 0;
                if (debugHelp.SymGetLineFromAddr64(process, g_frame.AddrPC.Offset, &displacement, line)) {
                    lstrcpynA(current->sourceFile, line->FileName, sizeof current->sourceFile);
                    current->lineNumber = line->LineNumber;
                    if (displacement)
                        current->lineDisplacement = displacement;
                }
            }
            spare = newFrameRecord();
        }
        // The record kept for a further frame that never came.
        if (spare)
            HeapFree(GetProcessHeap(), 0, spare);
    });
}

void CrashHandler::walkFramePointers()
{
    DWORD64 pc = g_context.Rip;
    DWORD64 frame = g_context.Rbp;
    if (!usableFrame(frame))
        return;
    if (!record.frames)
        record.frames = newFrameRecord();
    FrameRecord* current = record.frames;
    for (;;) {
        const auto* chained = reinterpret_cast<const ChainedFrame*>(frame);
        current->programCounter = pc;
        current->segment = g_context.SegCs;
        const LogicalAddress logical = logicalAddress(pc, scratchModulePath, MAX_PATH);
        current->section = logical.section;
        current->offset = logical.offset;
        current->framePointer = frame;
        if (!IsBadReadPtr(chained, sizeof *chained))
            for (int i = 0; i < 4; ++i)
                current->parameters[i] = chained->parameters[i];
        lstrcpynA(current->moduleName, scratchModulePath, sizeof current->moduleName);

        const DWORD64 next = chained->callerFrame;
        pc = chained->returnAddress;
        if (next <= frame || !usableFrame(next))
            return;
        frame = next;
        current->next = newFrameRecord();
        current = current->next;
    }
}
