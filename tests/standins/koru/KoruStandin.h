#pragma once
// The stand-in audio library's controls for tests and tools: it opens files as KORU.DLL would,
// creates streams when a plug-in asks, and lets the caller pull samples and query streams.
#include <KORUFLAC.h>

#include <stdint.h>

struct KoruStreamInfo;

extern "C" {

// The caller's file procedures (fileOpenUser): the audio library's own type.
struct KoruFileProcs {
    void (*close)(void* user);
    uint64_t (*length)(void* user);
    uint32_t (*read)(void* buffer, uint32_t length, void* user);
    int32_t (*seek)(uint64_t offset, void* user); // non-zero on success
};

// URLs the stand-in opens: "standin:" followed by a file path; the data "arrives" as released.
#define KORU_STANDIN_URL_PREFIX "standin:"

// Error code the library last set (tests may set a sentinel first).
int32_t KoruStandin_Error();
void KoruStandin_SetError(int32_t code);

// Files opened from now on: their flags (fileFlags) and, for downloads, how many bytes have
// arrived at the start (all when UINT64_MAX).
void KoruStandin_SetFileFlags(uint32_t flags);
void KoruStandin_SetDownloadStart(uint64_t bytes);
// Makes the download of a stream's file have arrived up to the given byte (all once past its size).
void KoruStandin_ReleaseDownload(uint32_t stream, uint64_t arrived);
// Files that are open now (closing every one is the library's job, checked by tests).
uint32_t KoruStandin_OpenFiles();
// The next stream registrations are refused (error 1 set by the library).
void KoruStandin_RefuseStreams(int32_t refuse);

// Opens a file as the library does for its own plug-ins and hands it to the plug-in's creation
// function; closes it again when the plug-in refuses it.
uint32_t KoruStandin_CreateWithPlugin(KoruPluginStreamCreate create, const char* path, uint32_t flags);

// Pulls up to length bytes from the stream's procedure; the result as the procedure gave it.
uint32_t KoruStandin_StreamRead(uint32_t stream, void* buffer, uint32_t length);
uint64_t KoruStandin_StreamLength(uint32_t stream, uint32_t mode);
const char* KoruStandin_StreamTags(uint32_t stream, uint32_t type);
// Fills rate, channels and flags, leaves the rest of the record as given, then asks the plug-in.
void KoruStandin_StreamInfo(uint32_t stream, KoruStreamInfo* info);
int32_t KoruStandin_StreamCanSetPosition(uint32_t stream, uint64_t position, uint32_t mode);
// As the library does: only a position the plug-in accepted is set; all bits set otherwise.
uint64_t KoruStandin_StreamSetPosition(uint32_t stream, uint64_t position, uint32_t mode);
uint32_t KoruStandin_StreamFlags(uint32_t stream);
uint32_t KoruStandin_StreamSampleRate(uint32_t stream);
uint32_t KoruStandin_StreamChannels(uint32_t stream);
// The data rate the plug-in reported for the stream's file, 0 when none.
uint32_t KoruStandin_StreamDataRate(uint32_t stream);
uint64_t KoruStandin_StreamFileReadPosition(uint32_t stream);
// Frees the stream through the plug-in and closes its file.
void KoruStandin_StreamFree(uint32_t stream);
}
