// The decoder reads the compressed data through the audio library's file object.
#include "FlacStream.h"

static FlacStream& streamOf(void* stream) { return *static_cast<FlacStream*>(stream); }

FLAC__StreamDecoderReadStatus FlacReadCallback(const FLAC__StreamDecoder*, FLAC__byte buffer[], size_t* bytes,
                                               void* stream)
{
    if (*bytes == 0)
        return FLAC__STREAM_DECODER_READ_STATUS_ABORT;
    FlacStream& s = streamOf(stream);
    const uint32_t request = *bytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(*bytes);
    const uint32_t n = _.fileRead(s.file, buffer, request);
    *bytes = n;
    // Nothing read before the end is no error: a download may simply not have got further yet.
    if (n == 0 && _.fileEof(s.file))
        return FLAC__STREAM_DECODER_READ_STATUS_END_OF_STREAM;
    return FLAC__STREAM_DECODER_READ_STATUS_CONTINUE;
}

FLAC__StreamDecoderSeekStatus FlacSeekCallback(const FLAC__StreamDecoder*, FLAC__uint64 offset, void* stream)
{
    return _.fileSeek(streamOf(stream).file, offset) ? FLAC__STREAM_DECODER_SEEK_STATUS_OK
                                                     : FLAC__STREAM_DECODER_SEEK_STATUS_ERROR;
}

FLAC__StreamDecoderTellStatus FlacTellCallback(const FLAC__StreamDecoder*, FLAC__uint64* offset, void* stream)
{
    *offset = _.filePosition(streamOf(stream).file, KoruFileReadPosition);
    return FLAC__STREAM_DECODER_TELL_STATUS_OK;
}

FLAC__StreamDecoderLengthStatus FlacLengthCallback(const FLAC__StreamDecoder*, FLAC__uint64* length,
                                                   void* stream)
{
    *length = _.filePosition(streamOf(stream).file, KoruFileSize);
    return FLAC__STREAM_DECODER_LENGTH_STATUS_OK;
}

FLAC__bool FlacEofCallback(const FLAC__StreamDecoder*, void* stream)
{
    return _.fileEof(streamOf(stream).file) != 0;
}

// Lost sync and damaged frames: the decoder finds the next frame by itself.
void FlacErrorCallback(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void*) {}
