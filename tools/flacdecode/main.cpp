// flacdecode [--float] <input.flac|.oga> <output.wav>
// Decodes through KORUFLAC.dll as the audio library would (the stand-in KORU.DLL beside it) and
// writes a WAV file: 16-bit, 8-bit when the source has 8 bits, or 32-bit float with --float.
#include "KoruLibrary.h"
#include "KoruStandin.h"

#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr uint32_t Request = 65536;

struct WavHeader {
    char riff[4] = {'R', 'I', 'F', 'F'};
    uint32_t riffSize = 0;
    char wave[4] = {'W', 'A', 'V', 'E'};
    char fmt[4] = {'f', 'm', 't', ' '};
    uint32_t fmtSize = 16;
    uint16_t format = 0; // 1 PCM, 3 float
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bits = 0;
    char data[4] = {'d', 'a', 't', 'a'};
    uint32_t dataSize = 0;
};
static_assert(sizeof(WavHeader) == 44);

WavHeader wavHeader(uint32_t stream, uint64_t dataBytes)
{
    const uint32_t flags = KoruStandin_StreamFlags(stream);
    const uint16_t bits = (flags & KORUFLAC_FLAG_FLOAT) ? 32 : (flags & KORUFLAC_FLAG_8BITS) ? 8 : 16;
    WavHeader h;
    h.format = (flags & KORUFLAC_FLAG_FLOAT) ? 3 : 1;
    h.channels = static_cast<uint16_t>(KoruStandin_StreamChannels(stream));
    h.rate = KoruStandin_StreamSampleRate(stream);
    h.blockAlign = static_cast<uint16_t>(h.channels * bits / 8);
    h.byteRate = h.rate * h.blockAlign;
    h.bits = bits;
    h.dataSize = static_cast<uint32_t>(dataBytes);
    h.riffSize = static_cast<uint32_t>(36 + dataBytes);
    return h;
}

// A bar on a terminal only: redirected output stays clean.
class Progress {
public:
    Progress() : shown_(_isatty(_fileno(stderr)) != 0) {}
    void update(uint64_t done, uint64_t total)
    {
        if (!shown_ || total == 0)
            return;
        const int percent = static_cast<int>(done * 100 / total);
        if (percent == last_)
            return;
        last_ = percent;
        std::string bar(percent / 2, '#');
        bar.resize(50, ' ');
        std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    }
    void finish()
    {
        if (shown_)
            std::fputc('\n', stderr);
    }

private:
    bool shown_;
    int last_ = -1;
};

int usage()
{
    std::fprintf(stderr, "usage: flacdecode [--float] <input.flac|.oga> <output.wav>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    int arg = 1;
    const bool floatOutput = argc > 1 && std::strcmp(argv[1], "--float") == 0;
    arg += floatOutput;
    if (argc - arg != 2)
        return usage();
    const char* input = argv[arg];
    const char* output = argv[arg + 1];

    HMODULE plugin = LoadLibraryW(L"KORUFLAC.dll");
    if (!plugin) {
        std::fprintf(stderr, "flacdecode: KORUFLAC.dll does not load (error %lu)\n", GetLastError());
        return 1;
    }
    auto entry =
        reinterpret_cast<const void* (*)(uint32_t)>(reinterpret_cast<void*>(GetProcAddress(plugin, "KORUplugin")));
    if (!entry) {
        std::fprintf(stderr, "flacdecode: KORUFLAC.dll has no KORUplugin\n");
        return 1;
    }
    auto create = reinterpret_cast<KoruPluginStreamCreate>(const_cast<void*>(entry(KORUFLAC_PLUGIN_CREATE)));
    const uint32_t stream = KoruStandin_CreateWithPlugin(create, input, floatOutput ? KORUFLAC_FLAG_FLOAT : 0);
    if (!stream) {
        std::fprintf(stderr, "flacdecode: %s is not a FLAC stream that can be decoded (error %d)\n", input,
                     KoruStandin_Error());
        return 1;
    }
    std::FILE* out = std::fopen(output, "wb");
    if (!out) {
        std::fprintf(stderr, "flacdecode: cannot write %s\n", output);
        KoruStandin_StreamFree(stream);
        return 1;
    }
    const uint64_t expected = KoruStandin_StreamLength(stream, 0);
    WavHeader header = wavHeader(stream, expected);
    std::fwrite(&header, sizeof header, 1, out);

    std::vector<uint8_t> buffer(Request);
    uint64_t written = 0;
    Progress progress;
    bool ok = true;
    for (;;) {
        const uint32_t result = KoruStandin_StreamRead(stream, buffer.data(), Request);
        const uint32_t n = result & ~KoruStreamEnded;
        ok &= std::fwrite(buffer.data(), 1, n, out) == n;
        written += n;
        progress.update(written, expected);
        if (result & KoruStreamEnded)
            break;
    }
    progress.finish();
    if (written != expected) {
        // Length unknown beforehand (or the stream was damaged): the header gets the true size.
        header = wavHeader(stream, written);
        std::fseek(out, 0, SEEK_SET);
        std::fwrite(&header, sizeof header, 1, out);
    }
    ok &= std::fclose(out) == 0;
    KoruStandin_StreamFree(stream);
    if (!ok) {
        std::fprintf(stderr, "flacdecode: writing %s failed\n", output);
        return 1;
    }
    return 0;
}
