#include "EngineLibrary.h"

EngineLibrary::EngineLibrary(const wchar_t* path)
    : module_(path ? LoadLibraryW(path) : nullptr), complete_(module_ != nullptr)
{
}

EngineLibrary::~EngineLibrary()
{
    if (module_)
        FreeLibrary(module_);
}
