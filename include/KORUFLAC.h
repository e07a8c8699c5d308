/* KORUFLAC.dll: native FLAC and Ogg FLAC streams for the KORU.DLL audio library (version 2.4).
 *
 * The audio library loads the plug-in and calls KORUplugin(0) for the record below and
 * KORUplugin(1) for the stream-creation function. Applications may also call the three
 * KORU_FLAC_StreamCreate* exports, which open the file through the audio library and return a
 * stream handle of the audio library, or 0 with the audio library's error code set (41: not a
 * FLAC stream that can be decoded). A stream owns its file; freeing the stream in the audio
 * library releases both. */
#ifndef KORUFLAC_H
#define KORUFLAC_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The audio library's types that the exports hand on unchanged. */
typedef struct KoruFile KoruFile;
typedef struct KoruFileProcs KoruFileProcs;
typedef void (*KoruDownloadProc)(const void* buffer, uint32_t length, void* user);

/* The audio library's stream-creation entry of a plug-in: 0 on failure. */
typedef uint32_t (*KoruPluginStreamCreate)(KoruFile* file, uint32_t flags);

enum {
    KORUFLAC_TYPE_FLAC = 0x10900,
    KORUFLAC_TYPE_OGG_FLAC = 0x10901,
    KORUFLAC_VERSION = 0x02040001,
    KORUFLAC_PLUGIN_INFO = 0,  /* KORUplugin faces */
    KORUFLAC_PLUGIN_CREATE = 1
};

/* Stream flags the plug-in itself reads (others are passed on to the audio library). */
enum {
    KORUFLAC_FLAG_8BITS = 0x1,   /* set by the plug-in for 8-bit sources; a caller's is ignored */
    KORUFLAC_FLAG_FLOAT = 0x100  /* 32-bit float output */
};

typedef struct KoruPluginFormat {
    uint32_t typeCode;
    uint32_t reserved;
    const char* name;
    const char* filter; /* "*.flac;*.fla" */
} KoruPluginFormat;

typedef struct KoruPluginInfo {
    uint32_t version;
    uint32_t formatCount;
    const KoruPluginFormat* formats;
} KoruPluginInfo;

#ifdef __cplusplus
static_assert(sizeof(KoruPluginFormat) == 24, "format entry layout");
static_assert(offsetof(KoruPluginFormat, name) == 8, "format entry layout");
static_assert(offsetof(KoruPluginFormat, filter) == 16, "format entry layout");
static_assert(sizeof(KoruPluginInfo) == 16, "plug-in record layout");
static_assert(offsetof(KoruPluginInfo, formatCount) == 4, "plug-in record layout");
static_assert(offsetof(KoruPluginInfo, formats) == 8, "plug-in record layout");
#endif

/* face 0: const KoruPluginInfo*; face 1: KoruPluginStreamCreate; otherwise null. */
const void* KORUplugin(uint32_t face);

uint32_t KORU_FLAC_StreamCreateFile(uint32_t mem, const void* file, uint64_t offset, uint64_t length,
                                    uint32_t flags);
uint32_t KORU_FLAC_StreamCreateURL(const char* url, uint64_t offset, uint32_t flags,
                                   KoruDownloadProc proc, void* user);
uint32_t KORU_FLAC_StreamCreateFileUser(uint32_t system, uint32_t flags, const KoruFileProcs* procs,
                                        void* user);

#ifdef __cplusplus
}
#endif

#endif
