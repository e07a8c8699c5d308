#include "YarnlyLibrary.h"

#include <stdexcept>

namespace {

template <class F>
void bind(HMODULE module, const char* name, F& function)
{
    function = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    if (!function)
        throw std::runtime_error(std::string("missing export ") + name);
}

}  // namespace

YarnlyLibrary::YarnlyLibrary(const char* path) : module(LoadLibraryA(path))
{
    if (!module)
        throw std::runtime_error(std::string("cannot load ") + path);
    HMODULE m = module.get();
    bind(m, "Yarnly_Join", join);
    bind(m, "Yarnly_Leave", leave);
    bind(m, "Yarnly_Msg", msg);
    bind(m, "Yarnly_Msg_Ex", msgEx);
    bind(m, "Yarnly_Kick", kick);
    bind(m, "Yarnly_Report", report);
    bind(m, "Yarnly_Perm", perm);
    bind(m, "Yarnly_Who", who);
    bind(m, "Yarnly_Get", get);
    bind(m, "Yarnly_Set", set);
    bind(m, "Yarnly_Open", open);
    bind(m, "Yarnly_FreeMsg", freeMsg);
}

HeapCounts heapCounts(const YarnlyLibrary& library)
{
    using Counts = void(WINAPI*)(long*, long*);
    Counts counts = nullptr;
    bind(library.module.get(), "YarnlyTest_HeapCounts", counts);
    HeapCounts result{};
    counts(&result.allocated, &result.freed);
    return result;
}
