// The audio library pulls decoded audio: drain the buffer, decode the next frame when it is empty.
#include "FlacStream.h"

#include <cstring>

namespace {

// A download that has not yet got a whole frame ahead of the decoder must wait, or the decoder
// would spin on reads that return nothing.
bool waitingForData(const FlacStream& s)
{
    if (!_.filePosition(s.file, KoruFileStillArriving))
        return false;
    const uint64_t arrived = _.filePosition(s.file, KoruFileArrived);
    const uint64_t read = _.filePosition(s.file, KoruFileReadPosition);
    return static_cast<uint32_t>(arrived - read) < s.streamInfo.max_framesize;
}

} // namespace

uint32_t FlacStreamProc(uint32_t handle, void* destination, uint32_t length, void* stream)
{
    FlacStream& s = *static_cast<FlacStream*>(stream);
    uint8_t* out = static_cast<uint8_t*>(destination);
    uint32_t produced = 0;
    while (produced < length) {
        if (s.bufferOffset == s.bufferedBytes) {
            if (FLAC__stream_decoder_get_state(s.decoder) == FLAC__STREAM_DECODER_END_OF_STREAM) {
                const uint64_t position = _.streamPosition(handle, 0);
                s.lengthBytes = _.streamPositionBytes(handle, position, 0) + produced;
                return produced | KoruStreamEnded;
            }
            if (waitingForData(s))
                return produced;
            // An aborted decoder (such as after a failed seek) "succeeds" without ever decoding
            // again: flush it like a failure, so that it searches for the next frame.
            if (!FLAC__stream_decoder_process_single(s.decoder) ||
                FLAC__stream_decoder_get_state(s.decoder) == FLAC__STREAM_DECODER_ABORTED) {
                FLAC__stream_decoder_flush(s.decoder);
                continue;
            }
        }
        const uint32_t available = s.bufferedBytes - s.bufferOffset;
        const uint32_t n = length - produced < available ? length - produced : available;
        std::memcpy(out + produced, s.buffer + s.bufferOffset, n);
        s.bufferOffset += n;
        produced += n;
    }
    return produced;
}
