// Entry point: the plug-in refuses to load beside any audio library but 2.4.
#include "KoruLibrary.h"

#include <windows.h>

namespace {

constexpr uint32_t RequiredVersion = 0x0204;

bool audioLibraryFits()
{
    if ((KORU_GetVersion() >> 16) == RequiredVersion)
        return true;
    MessageBoxA(nullptr, "Incorrect KORU.DLL version (2.4 is required)", "KORUFLAC", MB_ICONERROR);
    return false;
}

} // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    DisableThreadLibraryCalls(module);
    return audioLibraryFits();
}
