#include "ProcessCounters.h"

#include <windows.h>
#include <tlhelp32.h>

#include <stdexcept>
#include <vector>

#include "ScopedHandle.h"

namespace {

constexpr ULONG kSystemHandleInformation = 16;
constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    ULONG processId;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct HandleTable {
    ULONG count;
    HandleEntry entries[1];
};

}  // namespace

std::size_t threadCount()
{
    const DWORD self = GetCurrentProcessId();
    FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry{sizeof entry};
    std::size_t count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more; more = Thread32Next(snapshot.get(), &entry))
        if (entry.th32OwnerProcessID == self)
            ++count;
    return count;
}

std::size_t handleCount()
{
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(1 << 20);
    ULONG length = 0;
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length)) ==
           kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        throw std::runtime_error("NtQuerySystemInformation failed");
    const auto* table = reinterpret_cast<const HandleTable*>(buffer.data());
    const DWORD self = GetCurrentProcessId();
    std::size_t count = 0;
    for (ULONG i = 0; i < table->count; ++i)
        if (table->entries[i].processId == self)
            ++count;
    return count;
}
