// Turns an opened file into a stream of the audio library: recognise the format, read the
// metadata through libFLAC, choose the output format, register the stream.
#include "FlacStream.h"

#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// The audio library's flags that the stream passes on.
constexpr uint32_t PassedOnFlags = 0x3F24019C;

struct StreamOwner {
    FlacStream* stream;
    ~StreamOwner()
    {
        if (stream)
            FlacFree(stream);
    }
};

uint32_t sampleBytes(uint32_t flags)
{
    if (flags & KORUFLAC_FLAG_FLOAT)
        return 4;
    return (flags & KORUFLAC_FLAG_8BITS) ? 1 : 2;
}

// Bytes per second for a file that wants to know: from the file size when the duration is
// known, otherwise half the uncompressed rate.
uint32_t averageDataRate(const FlacStream& s)
{
    const FLAC__StreamMetadata_StreamInfo& info = s.streamInfo;
    const uint64_t seconds = info.total_samples / info.sample_rate;
    if (info.total_samples != 0 && seconds != 0) {
        const uint32_t rate = static_cast<uint32_t>(_.filePosition(s.file, KoruFileSize) / seconds);
        if (rate != 0)
            return rate;
    }
    return info.sample_rate * info.bits_per_sample * info.channels / 16;
}

bool initDecoder(FlacStream& s)
{
    FLAC__StreamDecoderInitStatus status =
        s.isOgg ? FLAC__stream_decoder_init_ogg_stream(s.decoder, FlacReadCallback, FlacSeekCallback,
                                                       FlacTellCallback, FlacLengthCallback, FlacEofCallback,
                                                       FlacWriteCallback, FlacMetadataCallback,
                                                       FlacErrorCallback, &s)
                : FLAC__stream_decoder_init_stream(s.decoder, FlacReadCallback, FlacSeekCallback,
                                                   FlacTellCallback, FlacLengthCallback, FlacEofCallback,
                                                   FlacWriteCallback, FlacMetadataCallback, FlacErrorCallback,
                                                   &s);
    return status == FLAC__STREAM_DECODER_INIT_STATUS_OK;
}

// Everything up to the registration with the audio library: null when the data is not a FLAC
// stream that can be decoded (or memory ran out on the way).
FlacStream* openDecoder(KoruFile* file)
{
    char magic[4];
    if (_.fileRead(file, magic, sizeof magic) != sizeof magic)
        return nullptr;
    // Nothing is skipped before the test: a FLAC file behind an ID3 tag is refused.
    const bool isOgg = std::memcmp(magic, "OggS", 4) == 0;
    if (!isOgg && std::memcmp(magic, "fLaC", 4) != 0)
        return nullptr;
    _.fileSeek(file, 0);

    StreamOwner owner{static_cast<FlacStream*>(std::calloc(1, sizeof(FlacStream)))};
    if (!owner.stream)
        return nullptr;
    FlacStream& s = *owner.stream;
    s.file = file;
    s.isOgg = isOgg;
    s.decoder = FLAC__stream_decoder_new();
    if (!s.decoder || !FLAC__stream_decoder_set_metadata_respond(s.decoder, FLAC__METADATA_TYPE_VORBIS_COMMENT) ||
        !initDecoder(s))
        return nullptr;
    if (!FLAC__stream_decoder_process_until_end_of_metadata(s.decoder) || s.outOfMemory ||
        s.streamInfo.sample_rate == 0)
        return nullptr;
    return std::exchange(owner.stream, nullptr);
}

} // namespace

extern "C" uint32_t FlacStreamCreate(KoruFile* file, uint32_t flags)
{
    const uint32_t fileFlags = _.fileFlags(file);
    StreamOwner owner{openDecoder(file)};
    if (!owner.stream) {
        _.setError(KoruErrorFormat);
        return 0;
    }
    FlacStream& s = *owner.stream;
    const FLAC__StreamMetadata_StreamInfo& info = s.streamInfo;

    uint32_t streamFlags = (flags & PassedOnFlags) | (fileFlags & KoruFileFlagCarried);
    if (info.bits_per_sample == 8)
        streamFlags |= KORUFLAC_FLAG_8BITS;
    // The buffer comes first: once the audio library has the stream, it may call it at any time.
    s.buffer = static_cast<uint8_t*>(std::malloc(size_t{info.max_blocksize} * info.channels * 4));
    if (!s.buffer) {
        _.setError(KoruErrorFormat);
        return 0;
    }
    s.flags = streamFlags;
    s.frameBytes = sampleBytes(streamFlags) * info.channels;
    s.lengthBytes = uint64_t{s.frameBytes} * info.total_samples;

    s.handle = _.createStream(info.sample_rate, info.channels, streamFlags, FlacStreamProc, &s,
                              &FlacStreamFunctions);
    if (!s.handle)
        return 0; // the audio library's own error code stands
    owner.stream = nullptr;
    _.fileSetStream(file, s.handle);

    // The decoder is not flushed here: it has read ahead past the metadata, and a flush would
    // throw away the start of the audio.
    if (fileFlags & KoruFileReportsDataRate)
        _.fileSetDataRate(file, averageDataRate(s), 0);
    _.setError(KoruErrorNone);
    return s.handle;
}
