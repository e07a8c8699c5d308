#include "FlacHarness.h"

#include "KoruStandin.h"

#include <cmath>
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#ifdef _WIN32
#include "TestPaths.h"
#include <windows.h>
#endif

std::string dataPath(const std::string& file)
{
    const std::string path = std::string(FLAC_TEST_DATA) + "/" + file;
#ifdef _WIN32
    return windowsPathA(path);
#else
    return path;
#endif
}

std::vector<uint8_t> readFile(const std::string& file)
{
    std::ifstream in(std::string(FLAC_TEST_DATA) + "/" + file, std::ios::binary);
    if (!in)
        throw std::runtime_error("missing test file " + file);
    return {std::istreambuf_iterator<char>(in), {}};
}

FlacCase flacCase(const std::string& name)
{
    const std::vector<uint8_t> text = readFile("cases.txt");
    std::istringstream cases(std::string(text.begin(), text.end()));
    FlacCase c;
    int ogg = 0;
    while (cases >> c.name >> c.bits >> c.channels >> c.rate >> ogg >> c.file) {
        c.ogg = ogg != 0;
        if (c.name == name)
            return c;
    }
    throw std::runtime_error("no test case " + name);
}

std::vector<int32_t> referenceSamples(const std::string& name)
{
    const std::vector<uint8_t> raw = readFile(name + ".ref");
    std::vector<int32_t> samples(raw.size() / 4);
    std::memcpy(samples.data(), raw.data(), samples.size() * 4);
    return samples;
}

uint32_t createFlags(Output output) { return output == Output::Float ? KORUFLAC_FLAG_FLOAT : 0; }

uint32_t sampleBytes(Output output)
{
    switch (output) {
    case Output::Float:
        return 4;
    case Output::UInt8:
        return 1;
    default:
        return 2;
    }
}

std::vector<uint8_t> expectedOutput(const std::vector<int32_t>& samples, uint32_t bits, Output output)
{
    std::vector<uint8_t> out(samples.size() * sampleBytes(output));
    for (size_t i = 0; i < samples.size(); ++i) {
        const int32_t v = samples[i];
        if (output == Output::Float) {
            const float f = static_cast<float>(v) / static_cast<float>(std::ldexp(1.0, bits - 1));
            std::memcpy(&out[i * 4], &f, 4);
        } else if (output == Output::UInt8) {
            out[i] = static_cast<uint8_t>(v + 128);
        } else {
            // Deeper sources lose their lowest bits (rounding down); shallower ones are scaled up.
            const int32_t scaled = bits >= 16 ? v >> (bits - 16) : v * (1 << (16 - bits));
            const int16_t s = static_cast<int16_t>(scaled);
            std::memcpy(&out[i * 2], &s, 2);
        }
    }
    return out;
}

KoruPluginStreamCreate FlacPlugin::streamCreate() const
{
    return reinterpret_cast<KoruPluginStreamCreate>(const_cast<void*>(plugin(KORUFLAC_PLUGIN_CREATE)));
}

#ifdef _WIN32
const FlacPlugin& flacPlugin()
{
    static const FlacPlugin loaded = [] {
        HMODULE module = LoadLibraryW(L"KORUFLAC.dll");
        if (!module)
            throw std::runtime_error("KORUFLAC.dll does not load");
        auto bind = [module](const char* name) { return reinterpret_cast<void*>(GetProcAddress(module, name)); };
        FlacPlugin p{};
        p.plugin = reinterpret_cast<decltype(p.plugin)>(bind("KORUplugin"));
        p.createFile = reinterpret_cast<decltype(p.createFile)>(bind("KORU_FLAC_StreamCreateFile"));
        p.createUrl = reinterpret_cast<decltype(p.createUrl)>(bind("KORU_FLAC_StreamCreateURL"));
        p.createUser = reinterpret_cast<decltype(p.createUser)>(bind("KORU_FLAC_StreamCreateFileUser"));
        return p;
    }();
    return loaded;
}
#else
const FlacPlugin& flacPlugin()
{
    static const FlacPlugin linked{KORUplugin, KORU_FLAC_StreamCreateFile, KORU_FLAC_StreamCreateURL,
                                   KORU_FLAC_StreamCreateFileUser};
    return linked;
}
#endif

StreamHandle::~StreamHandle()
{
    if (handle_)
        KoruStandin_StreamFree(handle_);
}

uint32_t openFile(const std::string& file, uint32_t flags)
{
    const std::string path = dataPath(file);
    return flacPlugin().createFile(0, path.c_str(), 0, 0, flags);
}

Decoded decodeAll(uint32_t stream, uint32_t request, uint32_t maxCalls)
{
    constexpr uint32_t Guard = 64;
    constexpr uint8_t Canary = 0xA5;
    Decoded d;
    std::vector<uint8_t> chunk(request + Guard);
    for (uint32_t call = 0; call < maxCalls; ++call) {
        std::memset(chunk.data(), Canary, chunk.size());
        const uint32_t result = KoruStandin_StreamRead(stream, chunk.data(), request);
        const uint32_t n = result & ~0x80000000u;
        if (n > request)
            d.overran = true;
        for (uint32_t i = request; i < chunk.size(); ++i)
            d.overran |= chunk[i] != Canary;
        d.bytes.insert(d.bytes.end(), chunk.begin(), chunk.begin() + std::min(n, request));
        if (result & 0x80000000u) {
            d.ended = true;
            break;
        }
    }
    return d;
}
