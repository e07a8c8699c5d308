// Loads KORUFLAC.dll from its own directory, as the audio library would: exit code 0 when it
// loaded, 1 when the plug-in refused to load.
#include <windows.h>

int main()
{
    return LoadLibraryW(L"KORUFLAC.dll") ? 0 : 1;
}
