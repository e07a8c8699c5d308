#include "HookLibrary.h"

#include <stdexcept>

#include "TestPaths.h"

namespace {

template <class Function>
Function bind(HMODULE module, const char* name)
{
    const FARPROC address = GetProcAddress(module, name);
    if (!address)
        throw std::runtime_error(std::string("Tessar64.dll does not export ") + name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

HookLibrary::HookLibrary() : module_(LoadLibraryW(windowsPath(TESSAR_DLL).c_str()))
{
    if (!module_)
        throw std::runtime_error("Tessar64.dll does not load");
    start_ = bind<decltype(start_)>(module_.get(), "StartDeskTopHook");
    stop_ = bind<decltype(stop_)>(module_.get(), "StopDeskTopHook");
}
