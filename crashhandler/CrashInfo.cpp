// Binding of the debug-help library and the description of a fault.
#include <windows.h>

#include "CrashHandler.h"
#include "SehGuard.h"
#include "SymbolScratch.h"
#include "Utility.h"

namespace {

constexpr DWORD kLoadLines = 0x10;  // SYMOPT_LOAD_LINES

struct NamedCode {
    DWORD code;
    const char* name;
};

constexpr NamedCode kExceptionNames[] = {
    {0x80000001, "EXCEPTION_GUARD_PAGE"},
    {0x80000002, "EXCEPTION_DATATYPE_MISALIGNMENT"},
    {0x80000003, "EXCEPTION_BREAKPOINT"},
    {0x80000004, "EXCEPTION_SINGLE_STEP"},
    {0xC0000005, "EXCEPTION_ACCESS_VIOLATION"},
    {0xC0000006, "EXCEPTION_IN_PAGE_ERROR"},
    {0xC0000008, "EXCEPTION_INVALID_HANDLE"},
    {0xC000001D, "EXCEPTION_ILLEGAL_INSTRUCTION"},
    {0xC0000025, "EXCEPTION_NONCONTINUABLE_EXCEPTION"},
    {0xC0000026, "EXCEPTION_INVALID_DISPOSITION"},
    {0xC000008C, "EXCEPTION_ARRAY_BOUNDS_EXCEEDED"},
    {0xC000008D, "EXCEPTION_FLT_DENORMAL_OPERAND"},
    {0xC000008E, "EXCEPTION_FLT_DIVIDE_BY_ZERO"},
    {0xC000008F, "EXCEPTION_FLT_INEXACT_RESULT"},
    {0xC0000090, "EXCEPTION_FLT_INVALID_OPERATION"},
    {0xC0000091, "EXCEPTION_FLT_OVERFLOW"},
    {0xC0000092, "EXCEPTION_FLT_STACK_CHECK"},
    {0xC0000093, "EXCEPTION_FLT_UNDERFLOW"},
    {0xC0000094, "EXCEPTION_INT_DIVIDE_BY_ZERO"},
    {0xC0000095, "EXCEPTION_INT_OVERFLOW"},
    {0xC0000096, "EXCEPTION_PRIV_INSTRUCTION"},
    {0xC00000FD, "EXCEPTION_STACK_OVERFLOW"},
    {0xE06D7363, "Microsoft C++ Exception"},
};

template <class Fn>
Fn entryPoint(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The image mapped at `base`, or null when the region holds none.
const IMAGE_NT_HEADERS64* imageHeaders(DWORD64 base)
{
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (IsBadReadPtr(dos, sizeof *dos) || dos->e_magic != IMAGE_DOS_SIGNATURE)
        return nullptr;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
    if (IsBadReadPtr(nt, sizeof *nt) || nt->Signature != IMAGE_NT_SIGNATURE)
        return nullptr;
    return nt;
}

DWORD64 allocationBase(DWORD64 address)
{
    MEMORY_BASIC_INFORMATION info{};
    if (!VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info))
        return 0;
    return reinterpret_cast<DWORD64>(info.AllocationBase);
}

}  // namespace

void CrashHandler::bindDebugHelp()
{
    DebugHelp& d = debugHelp;
    d.module = GetModuleHandleA("dbghelp.dll");
    if (!d.module) {
        d.module = LoadLibraryA("dbghelp.dll");
        ownsDebugHelp = d.module != nullptr;
    }
    if (!d.module)
        return;
    d.SymInitialize = entryPoint<decltype(d.SymInitialize)>(d.module, "SymInitialize");
    d.SymCleanup = entryPoint<decltype(d.SymCleanup)>(d.module, "SymCleanup");
    d.SymGetOptions = entryPoint<decltype(d.SymGetOptions)>(d.module, "SymGetOptions");
    d.SymSetOptions = entryPoint<decltype(d.SymSetOptions)>(d.module, "SymSetOptions");
    d.SymGetModuleBase64 = entryPoint<decltype(d.SymGetModuleBase64)>(d.module, "SymGetModuleBase64");
    d.SymGetSymFromAddr64 = entryPoint<decltype(d.SymGetSymFromAddr64)>(d.module, "SymGetSymFromAddr64");
    d.SymGetLineFromAddr64 = entryPoint<decltype(d.SymGetLineFromAddr64)>(d.module, "SymGetLineFromAddr64");
    d.SymFunctionTableAccess64 =
        entryPoint<decltype(d.SymFunctionTableAccess64)>(d.module, "SymFunctionTableAccess64");
    d.StackWalk64 = entryPoint<decltype(d.StackWalk64)>(d.module, "StackWalk64");
    if (!d.present()) {
        if (ownsDebugHelp)
            FreeLibrary(d.module);
        ownsDebugHelp = false;
        d = DebugHelp{};
    }
}

void CrashHandler::initSymbolHandler()
{
    if (!debugHelp.present() || symbolHandlerReady)
        return;
    debugHelp.SymSetOptions(debugHelp.SymGetOptions() | kLoadLines);
    symbolHandlerReady = debugHelp.SymInitialize(GetCurrentProcess(), nullptr, TRUE);
}

void CrashHandler::cleanupSymbolHandler()
{
    if (!debugHelp.present() || symbolHandlerReady != 1)
        return;
    debugHelp.SymCleanup(GetCurrentProcess());
    symbolHandlerReady = 0;
}

const char* CrashHandler::exceptionName(DWORD code)
{
    for (const auto& entry : kExceptionNames)
        if (entry.code == code)
            return entry.name;
    return nullptr;
}

LogicalAddress CrashHandler::logicalAddress(DWORD64 address)
{
    const DWORD64 base = allocationBase(address);
    const IMAGE_NT_HEADERS64* nt = base ? imageHeaders(base) : nullptr;
    if (!nt)
        return {};
    const DWORD64 rva = address - base;
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const DWORD64 start = section->VirtualAddress;
        const DWORD64 length = section->SizeOfRawData > section->Misc.VirtualSize ? section->SizeOfRawData
                                                                                  : section->Misc.VirtualSize;
        if (start <= rva && rva <= start + length)
            return {static_cast<DWORD>(i + 1), rva - start};
    }
    return {};
}

LogicalAddress CrashHandler::logicalAddress(DWORD64 address, char* path, DWORD size)
{
    path[0] = '\0';
    const DWORD64 base = allocationBase(address);
    if (!base || !GetModuleFileNameA(reinterpret_cast<HMODULE>(base), path, size))
        return {};
    return logicalAddress(address);
}

void CrashHandler::describeFault(EXCEPTION_POINTERS* pointers)
{
    if (!debugHelp.present()) {
        describeFaultWithoutDebugHelp(pointers);
        return;
    }
    if (IsBadReadPtr(pointers, sizeof *pointers))
        return;
    runGuarded([&] {
        const HANDLE process = GetCurrentProcess();
        const EXCEPTION_RECORD* exception = pointers->ExceptionRecord;
        initSymbolHandler();
        moduleNames().moduleName(process, nullptr, record.executableName, MAX_PATH);

        record.exceptionCode = exception->ExceptionCode;
        if (const char* name = exceptionName(exception->ExceptionCode))
            lstrcpynA(record.exceptionDescription, name, sizeof record.exceptionDescription);
        else
            FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS, GetModuleHandleA("ntdll.dll"),
                           exception->ExceptionCode, 0, record.exceptionDescription,
                           sizeof record.exceptionDescription, nullptr);

        const auto address = reinterpret_cast<DWORD64>(exception->ExceptionAddress);
        if (const DWORD64 base = debugHelp.SymGetModuleBase64(process, address))
            moduleNames().moduleName(process, reinterpret_cast<HMODULE>(base), record.faultModuleName, MAX_PATH);
        record.linearAddress = address;
        record.segment = pointers->ContextRecord->SegCs;
        const LogicalAddress logical = logicalAddress(address);
        record.section = logical.section;
        record.offset = logical.offset;

        IMAGEHLP_SYMBOL64* symbol = clearedSymbol(992);
        DWORD64 displacement = 0;
        if (!debugHelp.SymGetSymFromAddr64(process, address, &displacement, symbol))
            return;
        lstrcpynA(record.symbolName, symbol->Name, sizeof record.symbolName);
        if (displacement)
            record.symbolDisplacement = displacement;
        IMAGEHLP_LINE64* line = clearedLine();
        DWORD lineDisplacement = 0;
        if (debugHelp.SymGetLineFromAddr64(process, address, &lineDisplacement, line)) {
            lstrcpynA(record.sourceFile, line->FileName, sizeof record.sourceFile);
            record.lineNumber = line->LineNumber;
            if (lineDisplacement)
                record.lineDisplacement = lineDisplacement;
        }
    });
}

void CrashHandler::describeFaultWithoutDebugHelp(EXCEPTION_POINTERS* pointers)
{
    if (IsBadReadPtr(pointers, sizeof *pointers))
        return;
    const EXCEPTION_RECORD* exception = pointers->ExceptionRecord;
    record.exceptionCode = exception->ExceptionCode;
    if (const char* name = exceptionName(exception->ExceptionCode))
        lstrcpynA(record.exceptionDescription, name, sizeof record.exceptionDescription);
    GetModuleFileNameA(nullptr, record.executableName, MAX_PATH);
    const auto address = reinterpret_cast<DWORD64>(exception->ExceptionAddress);
    const LogicalAddress logical = logicalAddress(address, record.faultModuleName, MAX_PATH);
    record.linearAddress = address;
    record.segment = pointers->ContextRecord->SegCs;
    record.section = logical.section;
    record.offset = logical.offset;
}

void CrashHandler::captureRegisters(EXCEPTION_POINTERS* pointers)
{
    if (IsBadReadPtr(pointers, sizeof *pointers))
        return;
    const CONTEXT& c = *pointers->ContextRecord;
    record.rax = c.Rax;
    record.rbx = c.Rbx;
    record.rcx = c.Rcx;
    record.rdx = c.Rdx;
    record.rsi = c.Rsi;
    record.rdi = c.Rdi;
    record.rbp = c.Rbp;
    record.rsp = c.Rsp;
    record.rip = c.Rip;
    record.eflags = c.EFlags;
    record.cs = c.SegCs;
    record.ds = c.SegDs;
    record.ss = c.SegSs;
    record.es = c.SegEs;
    record.fs = c.SegFs;
    record.gs = c.SegGs;
}
