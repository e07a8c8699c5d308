// One decoded frame into the stream's buffer, in the output sample format, interleaved.
#include "FlacStream.h"

#include <cmath>

namespace {

template <class Out, class Convert>
void interleave(Out* out, const FLAC__int32* const channels[], uint32_t blockSize, uint32_t channelCount,
                Convert convert)
{
    if (channelCount == 2) {
        const FLAC__int32* left = channels[0];
        const FLAC__int32* right = channels[1];
        for (uint32_t i = 0; i < blockSize; ++i) {
            out[2 * i] = convert(left[i]);
            out[2 * i + 1] = convert(right[i]);
        }
        return;
    }
    for (uint32_t i = 0; i < blockSize; ++i)
        for (uint32_t j = 0; j < channelCount; ++j)
            *out++ = convert(channels[j][i]);
}

} // namespace

FLAC__StreamDecoderWriteStatus FlacWriteCallback(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                                 const FLAC__int32* const channels[], void* stream)
{
    FlacStream& s = *static_cast<FlacStream*>(stream);
    const uint32_t blockSize = frame->header.blocksize;
    const uint32_t channelCount = s.streamInfo.channels;
    const uint32_t bits = s.streamInfo.bits_per_sample;

    s.bufferOffset = 0;
    s.bufferedBytes = 0;
    // The buffer is laid out by STREAMINFO: a frame that does not fit it is dropped.
    if (blockSize > s.streamInfo.max_blocksize || frame->header.channels != channelCount)
        return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;

    if (s.flags & KORUFLAC_FLAG_FLOAT) {
        const float scale = std::ldexp(1.0f, -static_cast<int>(bits - 1));
        interleave(reinterpret_cast<float*>(s.buffer), channels, blockSize, channelCount,
                   [scale](FLAC__int32 v) { return static_cast<float>(v) * scale; });
    } else if (bits == 8) {
        interleave(s.buffer, channels, blockSize, channelCount,
                   [](FLAC__int32 v) { return static_cast<uint8_t>(static_cast<uint8_t>(v) ^ 0x80); });
    } else if (bits == 16) {
        interleave(reinterpret_cast<int16_t*>(s.buffer), channels, blockSize, channelCount,
                   [](FLAC__int32 v) { return static_cast<int16_t>(v); });
    } else if (bits > 16) {
        const uint32_t shift = bits - 16;
        interleave(reinterpret_cast<int16_t*>(s.buffer), channels, blockSize, channelCount,
                   [shift](FLAC__int32 v) { return static_cast<int16_t>(v >> shift); });
    } else {
        // Shallower sources are scaled up so that they play at their true level.
        const uint32_t shift = 16 - bits;
        interleave(reinterpret_cast<int16_t*>(s.buffer), channels, blockSize, channelCount,
                   [shift](FLAC__int32 v) { return static_cast<int16_t>(static_cast<uint32_t>(v) << shift); });
    }
    s.bufferedBytes = s.frameBytes * blockSize;
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
}
