#include "GdiObjectCount.h"

#include <windows.h>
#include <winternl.h>

namespace {

struct GdiHandleEntry {
    UINT64 kernelObject;
    USHORT processId;  // 0 under Wine, whose table holds this process's objects only
    USHORT count;
    USHORT unique;
    UCHAR type;  // 0: free entry
    UCHAR flags;
    UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr std::size_t kPebGdiSharedHandleTable = 0xF8;
constexpr std::size_t kGdiHandleTableEntries = 0x10000;

}  // namespace

std::size_t gdiObjectCount()
{
    PROCESS_BASIC_INFORMATION info{};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &info, sizeof info,
                                  nullptr) != 0)
        return 0;
    const auto* peb = reinterpret_cast<const BYTE*>(info.PebBaseAddress);
    const auto* table = *reinterpret_cast<GdiHandleEntry* const*>(peb + kPebGdiSharedHandleTable);
    if (!table)
        return 0;
    const auto self = static_cast<USHORT>(GetCurrentProcessId());
    std::size_t live = 0;
    for (std::size_t i = 0; i < kGdiHandleTableEntries; ++i)
        if (table[i].type != 0 && (table[i].processId == 0 || table[i].processId == self))
            ++live;
    return live;
}
