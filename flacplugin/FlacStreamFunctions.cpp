// Length, tags, information, positioning and release of a stream, for the audio library.
#include "FlacStream.h"

#include <cstdlib>

namespace {

constexpr uint64_t Failed = ~uint64_t{0};
constexpr uint32_t ModeBytes = 0;

FlacStream& streamOf(void* stream) { return *static_cast<FlacStream*>(stream); }

} // namespace

const KoruStreamFunctions FlacStreamFunctions = {
    .free = FlacFree,
    .getLength = FlacGetLength,
    .getTags = FlacGetTags,
    .getInfo = FlacGetInfo,
    .canSetPosition = FlacCanSetPosition,
    .setPosition = FlacSetPosition,
};

void FlacFree(void* stream)
{
    FlacStream* s = static_cast<FlacStream*>(stream);
    if (s->decoder)
        FLAC__stream_decoder_delete(s->decoder);
    std::free(s->buffer);
    std::free(s->comments);
    std::free(s->vendor);
    std::free(s);
}

uint64_t FlacGetLength(void* stream, uint32_t mode)
{
    if (mode != ModeBytes) {
        _.setError(KoruErrorMode);
        return Failed;
    }
    _.setError(KoruErrorNone);
    return streamOf(stream).lengthBytes;
}

const char* FlacGetTags(void* stream, uint32_t type)
{
    switch (type) {
    case FlacTagComments:
        return streamOf(stream).comments;
    case FlacTagVendor:
        return streamOf(stream).vendor;
    default:
        return nullptr;
    }
}

void FlacGetInfo(void* stream, KoruStreamInfo* info)
{
    const FlacStream& s = streamOf(stream);
    info->typeCode = KORUFLAC_TYPE_FLAC + s.isOgg;
    info->sourceBits = s.streamInfo.bits_per_sample;
}

int32_t FlacCanSetPosition(void* stream, uint64_t position, uint32_t mode)
{
    // The higher bits of the mode carry the audio library's own flags.
    if ((mode & 0xFF) != ModeBytes) {
        _.setError(KoruErrorMode);
        return 0;
    }
    if (position < FlacGetLength(stream, ModeBytes))
        return 1;
    _.setError(KoruErrorPosition);
    return 0;
}

uint64_t FlacSetPosition(void* stream, uint64_t position, uint32_t)
{
    FlacStream& s = streamOf(stream);
    s.bufferedBytes = 0;
    s.bufferOffset = 0;
    FLAC__stream_decoder_flush(s.decoder);
    const uint64_t saved = _.filePosition(s.file, KoruFileReadPosition);
    // The decoder delivers the frame holding the target from the target sample on.
    if (FLAC__stream_decoder_seek_absolute(s.decoder, position / s.frameBytes))
        return position;
    _.fileSeek(s.file, saved);
    _.setError(KoruErrorPosition);
    return Failed;
}
