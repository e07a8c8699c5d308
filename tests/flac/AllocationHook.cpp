#include "AllocationHook.h"

#include <cstdlib>
#include <cstring>
#include <set>

namespace allocation_hook {
namespace {

size_t failNumber = 0;
size_t attempted = 0;
bool injected = false;
std::set<void*>* live = new std::set<void*>; // never destroyed: the hooks may outlive statics

bool shouldFail()
{
    ++attempted;
    if (failNumber != 0 && attempted == failNumber) {
        injected = true;
        return true;
    }
    return false;
}

void* track(void* p)
{
    if (p)
        live->insert(p);
    return p;
}

void* hookedMalloc(size_t size) { return shouldFail() ? nullptr : track(std::malloc(size)); }
void* hookedCalloc(size_t count, size_t size) { return shouldFail() ? nullptr : track(std::calloc(count, size)); }
void* hookedRealloc(void* p, size_t size)
{
    if (shouldFail())
        return nullptr;
    void* moved = std::realloc(p, size);
    if (moved) {
        live->erase(p);
        live->insert(moved);
    }
    return moved;
}
void hookedFree(void* p)
{
    live->erase(p);
    std::free(p);
}

struct Replacement {
    const char* name;
    void* function;
};
const Replacement replacements[] = {
    {"malloc", reinterpret_cast<void*>(hookedMalloc)},
    {"calloc", reinterpret_cast<void*>(hookedCalloc)},
    {"realloc", reinterpret_cast<void*>(hookedRealloc)},
    {"free", reinterpret_cast<void*>(hookedFree)},
};

} // namespace

bool install(HMODULE module)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    int patched = 0;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const char* name = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData)->Name;
            for (const Replacement& r : replacements) {
                if (std::strcmp(name, r.name) != 0)
                    continue;
                DWORD old = 0;
                VirtualProtect(&slots->u1.Function, sizeof(void*), PAGE_READWRITE, &old);
                slots->u1.Function = reinterpret_cast<ULONG_PTR>(r.function);
                VirtualProtect(&slots->u1.Function, sizeof(void*), old, &old);
                ++patched;
            }
        }
    }
    return patched > 0;
}

void failAt(size_t number)
{
    failNumber = number;
    attempted = 0;
    injected = false;
    live->clear();
}

size_t allocations() { return attempted; }
size_t liveBlocks() { return live->size(); }
bool failureInjected() { return injected; }

} // namespace allocation_hook
