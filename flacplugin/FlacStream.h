#pragma once
// One FLAC or Ogg FLAC stream of the audio library.
//
// Threads and locks: none of its own. The audio library calls a stream's procedures from its own
// threads and never two at once for one stream; streams share nothing, and the plug-in has no
// global state besides constant tables. Everything a stream allocates hangs off its FlacStream.
#include "KoruLibrary.h"

#include <FLAC/stream_decoder.h>

#include <cstdint>

struct FlacStream {
    uint32_t handle;      // the audio library's handle; 0 until it has created the stream
    uint32_t flags;       // as registered: KORUFLAC_FLAG_FLOAT / KORUFLAC_FLAG_8BITS pick the output
    uint32_t frameBytes;  // output bytes per sample frame
    KoruFile* file;       // not owned
    FLAC__StreamDecoder* decoder;
    FLAC__StreamMetadata_StreamInfo streamInfo;
    int32_t isOgg;
    uint64_t lengthBytes; // whole decoded stream in output bytes; exact once the end was reached
    uint8_t* buffer;      // the last decoded frame in the output format; max block × channels × 4
    uint32_t bufferedBytes;
    uint32_t bufferOffset;
    char* comments;       // each comment NUL-terminated, one more NUL after the last; or null
    char* vendor;
    bool outOfMemory;     // a comment list could not be stored
};

// Decoder callbacks (client data: the FlacStream).
FLAC__StreamDecoderReadStatus FlacReadCallback(const FLAC__StreamDecoder*, FLAC__byte buffer[], size_t* bytes,
                                               void* stream);
FLAC__StreamDecoderSeekStatus FlacSeekCallback(const FLAC__StreamDecoder*, FLAC__uint64 offset, void* stream);
FLAC__StreamDecoderTellStatus FlacTellCallback(const FLAC__StreamDecoder*, FLAC__uint64* offset, void* stream);
FLAC__StreamDecoderLengthStatus FlacLengthCallback(const FLAC__StreamDecoder*, FLAC__uint64* length,
                                                   void* stream);
FLAC__bool FlacEofCallback(const FLAC__StreamDecoder*, void* stream);
FLAC__StreamDecoderWriteStatus FlacWriteCallback(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                                 const FLAC__int32* const channels[], void* stream);
void FlacMetadataCallback(const FLAC__StreamDecoder*, const FLAC__StreamMetadata* block, void* stream);
void FlacErrorCallback(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void* stream);

// The audio library's calls.
uint32_t FlacStreamProc(uint32_t handle, void* destination, uint32_t length, void* stream);
void FlacFree(void* stream);
uint64_t FlacGetLength(void* stream, uint32_t mode);
const char* FlacGetTags(void* stream, uint32_t type);
void FlacGetInfo(void* stream, KoruStreamInfo* info);
int32_t FlacCanSetPosition(void* stream, uint64_t position, uint32_t mode);
uint64_t FlacSetPosition(void* stream, uint64_t position, uint32_t mode);

extern const KoruStreamFunctions FlacStreamFunctions;

// Tag types of FlacGetTags.
constexpr uint32_t FlacTagComments = 2;
constexpr uint32_t FlacTagVendor = 9;

// The audio library's stream-creation entry (also reached through KORUplugin(1)).
extern "C" uint32_t FlacStreamCreate(KoruFile* file, uint32_t flags);
