#include "MiniDump.h"

#include "ScopedHandle.h"
#include "Utility.h"

decltype(&::MiniDumpWriteDump) MiniDump::writeDump_ = nullptr;
ModuleRecord* MiniDump::firstModule_ = nullptr;
ModuleRecord* MiniDump::lastModule_ = nullptr;

static_assert(sizeof(MINIDUMP_MODULE_CALLBACK) >= sizeof(ModuleRecord::moduleData));

MiniDump::~MiniDump()
{
    while (firstModule_) {
        ModuleRecord* next = firstModule_->next;
        HeapFree(GetProcessHeap(), 0, firstModule_);
        firstModule_ = next;
    }
    lastModule_ = nullptr;
}

DumpStatus MiniDump::write(MINIDUMP_TYPE type, const char* path, DWORD threadId, EXCEPTION_POINTERS* pointers)
{
    if (IsBadStringPtrA(path, MAX_PATH))
        return DumpStatus::BadArgument;
    const int size = 2 * lstrlenA(path) + 2;
    auto* wide = static_cast<wchar_t*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, size));
    if (!wide)
        return DumpStatus::BadArgument;
    const DumpStatus result = conversions().ansiToWide(path, wide, size) ? write(type, wide, threadId, pointers)
                                                                          : DumpStatus::BadArgument;
    HeapFree(GetProcessHeap(), 0, wide);
    return result;
}

DumpStatus MiniDump::write(MINIDUMP_TYPE type, const wchar_t* path, DWORD threadId, EXCEPTION_POINTERS* pointers)
{
    if (IsBadStringPtrW(path, MAX_PATH) || IsBadReadPtr(pointers, 8) || threadId == 0)
        return DumpStatus::BadArgument;
    if (!writeDump_) {
        // An earlier failure to bind is final.
        if (status_ != DumpStatus::NotBound || !bind())
            return status_;
    }
    FileHandle file(CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                nullptr));
    if (!file) {
        status_ = DumpStatus::CreateFileFailed;
        return status_;
    }
    MINIDUMP_EXCEPTION_INFORMATION exception{threadId, pointers, TRUE};
    MINIDUMP_CALLBACK_INFORMATION callback{&MiniDump::onCallback, nullptr};
    status_ = writeDump_(GetCurrentProcess(), GetCurrentProcessId(), file.get(), type, &exception, nullptr, &callback)
                  ? DumpStatus::Written
                  : DumpStatus::WriteFailed;
    return status_;
}

bool MiniDump::bind()
{
    if (writeDump_)
        return true;
    HMODULE library = GetModuleHandleA("DBGHELP.DLL");
    if (!library)
        library = LoadLibraryA("DBGHELP.DLL");
    if (!library) {
        status_ = DumpStatus::NoDebugHelp;
        return false;
    }
    writeDump_ = reinterpret_cast<decltype(writeDump_)>(
        reinterpret_cast<void*>(GetProcAddress(library, "MiniDumpWriteDump")));
    status_ = writeDump_ ? DumpStatus::Written : DumpStatus::NoEntryPoint;
    return writeDump_ != nullptr;
}

BOOL CALLBACK MiniDump::onCallback(PVOID, PMINIDUMP_CALLBACK_INPUT input, PMINIDUMP_CALLBACK_OUTPUT)
{
    if (input->CallbackType != ModuleCallback)
        return TRUE;
    auto* module = static_cast<ModuleRecord*>(
        HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY | HEAP_GENERATE_EXCEPTIONS, sizeof(ModuleRecord)));
    if (lastModule_)
        lastModule_->next = module;
    else
        firstModule_ = module;
    lastModule_ = module;
    CopyMemory(module->moduleData, &input->Module, sizeof module->moduleData);
    conversions().wideToAnsi(input->Module.FullPath, module->fullPath, sizeof module->fullPath);
    return TRUE;
}
