#pragma once
// The audio library's side of the plug-in interface, as far as this plug-in uses it: the table of
// internal functions that KORU.DLL exports as `_`, and the stream procedure types it calls back.
#include <KORUFLAC.h>

#include <cstddef>
#include <cstdint>

extern "C" {

// Calls for a stream's data: bytes written, plus this bit once the stream has ended.
constexpr uint32_t KoruStreamEnded = 0x80000000u;
typedef uint32_t (*KoruStreamProc)(uint32_t handle, void* buffer, uint32_t length, void* user);

// The audio library's record describing a stream; the plug-in fills two fields.
struct KoruStreamInfo {
    uint32_t sampleRate;
    uint32_t channels;
    uint32_t flags;
    uint32_t typeCode;   // written by the plug-in
    uint32_t sourceBits; // written by the plug-in
    uint32_t reserved[3];
};
static_assert(offsetof(KoruStreamInfo, typeCode) == 12);
static_assert(offsetof(KoruStreamInfo, sourceBits) == 16);

// A plug-in stream's procedures, by position; the empty slots stay null.
struct KoruStreamFunctions {
    void* unused0;
    void (*free)(void* user);
    uint64_t (*getLength)(void* user, uint32_t mode);
    const char* (*getTags)(void* user, uint32_t type);
    void* unused4;
    void (*getInfo)(void* user, KoruStreamInfo* info);
    int32_t (*canSetPosition)(void* user, uint64_t position, uint32_t mode);
    uint64_t (*setPosition)(void* user, uint64_t position, uint32_t mode);
    void* unused8[4];
};
static_assert(offsetof(KoruStreamFunctions, free) == 1 * sizeof(void*));
static_assert(offsetof(KoruStreamFunctions, getInfo) == 5 * sizeof(void*));
static_assert(offsetof(KoruStreamFunctions, setPosition) == 7 * sizeof(void*));

// Modes of filePosition.
enum KoruFilePositionMode : uint32_t {
    KoruFileReadPosition = 0,
    KoruFileArrived = 1,
    KoruFileSize = 2,
    KoruFileStillArriving = 4,
};

// File flag: the file wants to know the stream's average data rate (fileSetDataRate).
constexpr uint32_t KoruFileReportsDataRate = 0x1;
// File flag carried into the stream's flags.
constexpr uint32_t KoruFileFlagCarried = 0x100000;

enum KoruError : int32_t {
    KoruErrorNone = 0,
    KoruErrorPosition = 7,     // at or past the end, or the position cannot be reached
    KoruErrorMode = 37,        // a length or position mode other than bytes
    KoruErrorFormat = 41,      // not a stream this plug-in can decode
};

// The table `_`, by position (pointer-sized entries from 0).
struct KoruFunctions {
    void (*setError)(int32_t code);                                                     // 0
    void* unused1;
    uint32_t (*createStream)(uint32_t sampleRate, uint32_t channels, uint32_t flags, KoruStreamProc proc,
                             void* user, const KoruStreamFunctions* functions);         // 2
    void* unused3[5];
    uint64_t (*streamPosition)(uint32_t handle, uint32_t mode);                         // 8
    uint64_t (*streamPositionBytes)(uint32_t handle, uint64_t position, uint32_t mode); // 9
    KoruFile* (*fileOpen)(uint32_t mem, const void* file, uint64_t offset, uint64_t length, uint32_t flags,
                          uint32_t plugin);                                             // 10
    KoruFile* (*fileOpenUrl)(const char* url, uint64_t offset, uint32_t flags, KoruDownloadProc proc,
                             void* user, uint32_t plugin);                              // 11
    KoruFile* (*fileOpenUser)(uint32_t system, uint32_t flags, const KoruFileProcs* procs, void* user,
                              uint32_t plugin);                                         // 12
    void (*fileClose)(KoruFile* file);                                                  // 13
    void* unused14;
    void (*fileSetStream)(KoruFile* file, uint32_t handle);                             // 15
    uint32_t (*fileFlags)(KoruFile* file);                                              // 16
    void* unused17;
    uint32_t (*fileRead)(KoruFile* file, void* buffer, uint32_t length);                // 18
    int32_t (*fileSeek)(KoruFile* file, uint64_t position);                             // 19
    uint64_t (*filePosition)(KoruFile* file, uint32_t mode);                            // 20
    int32_t (*fileEof)(KoruFile* file);                                                 // 21
    void* unused22;
    void (*fileSetDataRate)(KoruFile* file, uint32_t bytesPerSecond, uint32_t reserved); // 23
};
static_assert(offsetof(KoruFunctions, createStream) == 2 * sizeof(void*));
static_assert(offsetof(KoruFunctions, streamPosition) == 8 * sizeof(void*));
static_assert(offsetof(KoruFunctions, fileOpen) == 10 * sizeof(void*));
static_assert(offsetof(KoruFunctions, fileClose) == 13 * sizeof(void*));
static_assert(offsetof(KoruFunctions, fileSetStream) == 15 * sizeof(void*));
static_assert(offsetof(KoruFunctions, fileRead) == 18 * sizeof(void*));
static_assert(offsetof(KoruFunctions, fileEof) == 21 * sizeof(void*));
static_assert(offsetof(KoruFunctions, fileSetDataRate) == 23 * sizeof(void*));

// The stand-in library defines KORU_IMPORT empty: it exports these itself.
#ifndef KORU_IMPORT
#ifdef _WIN32
#define KORU_IMPORT __declspec(dllimport)
#else
#define KORU_IMPORT
#endif
#endif

KORU_IMPORT extern KoruFunctions _;
KORU_IMPORT uint32_t KORU_GetVersion();

}
