#include "EnginePath.h"

#include <cwchar>

namespace {
constexpr wchar_t kEngineName[] = L"Lumox64.dll";
constexpr std::size_t kEngineNameChars = sizeof kEngineName / sizeof kEngineName[0];  // with NUL
}

bool placeEngineName(wchar_t* path)
{
    for (std::size_t i = std::wcslen(path); i-- > 0;) {
        if (path[i] != L'\\')
            continue;
        if (i + 1 + kEngineNameChars > kEnginePathChars)
            return false;
        std::wmemcpy(path + i + 1, kEngineName, kEngineNameChars);
        return true;
    }
    return true;
}
