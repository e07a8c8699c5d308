// flacbench <plugin|libflac> <file> <rounds>
// Prints the best wall time in seconds of decoding the whole file: through KORUFLAC.dll pulled in
// 64 KiB requests (16-bit output), or with the same build's libFLAC straight into memory.
#include "KoruLibrary.h"
#include "KoruStandin.h"

#include <FLAC/stream_decoder.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

double now()
{
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool decodeWithPlugin(KoruPluginStreamCreate create, const char* file)
{
    const uint32_t stream = KoruStandin_CreateWithPlugin(create, file, 0);
    if (!stream)
        return false;
    std::vector<uint8_t> buffer(65536);
    while (!(KoruStandin_StreamRead(stream, buffer.data(), 65536) & KoruStreamEnded)) {
    }
    KoruStandin_StreamFree(stream);
    return true;
}

struct Memory {
    std::vector<FLAC__int32> samples;
};

FLAC__StreamDecoderWriteStatus toMemory(const FLAC__StreamDecoder*, const FLAC__Frame* frame,
                                        const FLAC__int32* const channels[], void* user)
{
    Memory& m = *static_cast<Memory*>(user);
    const uint32_t block = frame->header.blocksize;
    m.samples.resize(size_t{block} * frame->header.channels);
    for (uint32_t c = 0; c < frame->header.channels; ++c)
        std::memcpy(&m.samples[size_t{c} * block], channels[c], block * sizeof(FLAC__int32));
    return FLAC__STREAM_DECODER_WRITE_STATUS_CONTINUE;
}

void ignoreError(const FLAC__StreamDecoder*, FLAC__StreamDecoderErrorStatus, void*) {}

bool decodeWithLibFlac(const char* file)
{
    FLAC__StreamDecoder* decoder = FLAC__stream_decoder_new();
    Memory memory;
    bool ok = decoder &&
              FLAC__stream_decoder_init_file(decoder, file, toMemory, nullptr, ignoreError, &memory) ==
                  FLAC__STREAM_DECODER_INIT_STATUS_OK &&
              FLAC__stream_decoder_process_until_end_of_stream(decoder);
    if (decoder)
        FLAC__stream_decoder_delete(decoder);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: flacbench <plugin|libflac> <file> <rounds>\n");
        return 2;
    }
    const bool plugin = std::strcmp(argv[1], "plugin") == 0;
    KoruPluginStreamCreate create = nullptr;
    if (plugin) {
        HMODULE module = LoadLibraryW(L"KORUFLAC.dll");
        auto entry = module ? reinterpret_cast<const void* (*)(uint32_t)>(
                                  reinterpret_cast<void*>(GetProcAddress(module, "KORUplugin")))
                            : nullptr;
        if (!entry) {
            std::fprintf(stderr, "flacbench: KORUFLAC.dll does not load\n");
            return 1;
        }
        create = reinterpret_cast<KoruPluginStreamCreate>(const_cast<void*>(entry(KORUFLAC_PLUGIN_CREATE)));
    }
    double best = 1e30;
    for (int round = 0; round < std::atoi(argv[3]); ++round) {
        const double start = now();
        if (!(plugin ? decodeWithPlugin(create, argv[2]) : decodeWithLibFlac(argv[2]))) {
            std::fprintf(stderr, "flacbench: decoding %s failed\n", argv[2]);
            return 1;
        }
        best = std::min(best, now() - start);
    }
    std::printf("%.6f\n", best);
    return 0;
}
