// What the audio library asks of the plug-in, and the three exports applications call.
#include "FlacStream.h"

namespace {

constexpr uint32_t OpenedByPlugin = 1;

const KoruPluginFormat FlacFormats[] = {
    {KORUFLAC_TYPE_FLAC, 0, "Free Lossless Audio Codec", "*.flac;*.fla"},
    {KORUFLAC_TYPE_OGG_FLAC, 0, "Free Lossless Audio Codec (Ogg)", "*.oga;*.ogg"},
};

const KoruPluginInfo FlacPluginInfo = {KORUFLAC_VERSION, 2, FlacFormats};

// The file's opener closes it when no stream took it over.
uint32_t createFromOpened(KoruFile* file, uint32_t flags)
{
    if (!file)
        return 0;
    const uint32_t handle = FlacStreamCreate(file, flags);
    if (!handle)
        _.fileClose(file);
    return handle;
}

} // namespace

extern "C" const void* KORUplugin(uint32_t face)
{
    switch (face) {
    case KORUFLAC_PLUGIN_INFO:
        return &FlacPluginInfo;
    case KORUFLAC_PLUGIN_CREATE:
        return reinterpret_cast<const void*>(&FlacStreamCreate);
    default:
        return nullptr;
    }
}

extern "C" uint32_t KORU_FLAC_StreamCreateFile(uint32_t mem, const void* file, uint64_t offset, uint64_t length,
                                               uint32_t flags)
{
    return createFromOpened(_.fileOpen(mem, file, offset, length, flags, OpenedByPlugin), flags);
}

extern "C" uint32_t KORU_FLAC_StreamCreateURL(const char* url, uint64_t offset, uint32_t flags,
                                              KoruDownloadProc proc, void* user)
{
    return createFromOpened(_.fileOpenUrl(url, offset, flags, proc, user, OpenedByPlugin), flags);
}

extern "C" uint32_t KORU_FLAC_StreamCreateFileUser(uint32_t system, uint32_t flags, const KoruFileProcs* procs,
                                                   void* user)
{
    return createFromOpened(_.fileOpenUser(system, flags, procs, user, OpenedByPlugin), flags);
}
