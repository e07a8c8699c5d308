// Decoded output is bit-exact with the reference decoder, for every source and output format.
#include "FlacHarness.h"
#include "KoruStandin.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

namespace {

struct DecodeCase {
    const char* name;
    Output output;
};

std::string caseName(const testing::TestParamInfo<DecodeCase>& info)
{
    static const char* outputs[] = {"int16", "uint8", "float"};
    return std::string(info.param.name) + "_" + outputs[static_cast<int>(info.param.output)];
}

class FlacDecode : public testing::TestWithParam<DecodeCase> {};

TEST_P(FlacDecode, MatchesReferenceDecoder)
{
    const FlacCase c = flacCase(GetParam().name);
    const Output output = GetParam().output;
    StreamHandle stream(openFile(c.file, createFlags(output)));
    ASSERT_TRUE(stream);
    EXPECT_EQ(KoruStandin_Error(), 0);
    EXPECT_EQ(KoruStandin_StreamSampleRate(stream.get()), c.rate);
    EXPECT_EQ(KoruStandin_StreamChannels(stream.get()), c.channels);

    const std::vector<uint8_t> expected = expectedOutput(referenceSamples(c.name), c.bits, output);
    EXPECT_EQ(KoruStandin_StreamLength(stream.get(), 0), expected.size());
    // An odd request size makes calls end inside sample frames.
    const Decoded decoded = decodeAll(stream.get(), 4099);
    EXPECT_TRUE(decoded.ended);
    EXPECT_FALSE(decoded.overran);
    ASSERT_EQ(decoded.bytes.size(), expected.size());
    EXPECT_TRUE(decoded.bytes == expected) << "output differs from the reference decoding";
    EXPECT_EQ(KoruStandin_StreamLength(stream.get(), 0), expected.size());

    uint8_t more[16];
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(KoruStandin_StreamRead(stream.get(), more, sizeof more), 0x80000000u);
}

INSTANTIATE_TEST_SUITE_P(Sources, FlacDecode,
                         testing::Values(DecodeCase{"s8_mono_8k", Output::UInt8}, DecodeCase{"s8_mono_8k", Output::Float},
                                         DecodeCase{"s8_stereo_16k_ogg", Output::UInt8},
                                         DecodeCase{"s8_stereo_16k_ogg", Output::Float},
                                         DecodeCase{"s12_stereo_22k", Output::Int16},
                                         DecodeCase{"s12_stereo_22k", Output::Float},
                                         DecodeCase{"s16_stereo_44k", Output::Int16},
                                         DecodeCase{"s16_stereo_44k", Output::Float},
                                         DecodeCase{"s16_stereo_44k_b576", Output::Int16},
                                         DecodeCase{"s16_stereo_44k_ogg", Output::Int16},
                                         DecodeCase{"s16_stereo_44k_ogg", Output::Float},
                                         DecodeCase{"s16_stereo_192k", Output::Int16},
                                         DecodeCase{"s20_mono_48k", Output::Int16},
                                         DecodeCase{"s20_mono_48k", Output::Float},
                                         DecodeCase{"s24_6ch_96k", Output::Int16},
                                         DecodeCase{"s24_6ch_96k", Output::Float},
                                         DecodeCase{"s24_6ch_96k_ogg", Output::Int16},
                                         DecodeCase{"s24_6ch_96k_ogg", Output::Float},
                                         DecodeCase{"s24_stereo_48k_variable", Output::Int16},
                                         DecodeCase{"s24_stereo_48k_variable", Output::Float}),
                         caseName);

TEST(FlacConversion, FixedValuesOfEachOutputFormat)
{
    struct Row {
        int32_t sample;
        uint32_t bits;
        Output output;
        std::vector<uint8_t> bytes;
    };
    auto floatBytes = [](float f) {
        std::vector<uint8_t> b(4);
        std::memcpy(b.data(), &f, 4);
        return b;
    };
    const Row rows[] = {
        {-32768, 16, Output::Float, floatBytes(-1.0f)},
        {4194304, 24, Output::Float, floatBytes(0.5f)},
        {0, 8, Output::UInt8, {0x80}},
        {-128, 8, Output::UInt8, {0x00}},
        {0x123456, 24, Output::Int16, {0x34, 0x12}},
        {-1, 12, Output::Int16, {0xF0, 0xFF}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(expectedOutput({row.sample}, row.bits, row.output), row.bytes) << row.sample;
}

// The same file through every route that creates a stream.
struct MemoryFile {
    std::vector<uint8_t> data;
    uint64_t position = 0;
    bool closed = false;
};

const KoruFileProcs memoryProcs = {
    [](void* user) { static_cast<MemoryFile*>(user)->closed = true; },
    [](void* user) -> uint64_t { return static_cast<MemoryFile*>(user)->data.size(); },
    [](void* buffer, uint32_t length, void* user) -> uint32_t {
        auto* f = static_cast<MemoryFile*>(user);
        const uint64_t n = std::min<uint64_t>(length, f->data.size() - f->position);
        std::memcpy(buffer, f->data.data() + f->position, n);
        f->position += n;
        return static_cast<uint32_t>(n);
    },
    [](uint64_t offset, void* user) -> int32_t {
        auto* f = static_cast<MemoryFile*>(user);
        if (offset > f->data.size())
            return 0;
        f->position = offset;
        return 1;
    },
};

TEST(FlacCreation, EveryRouteDecodesTheSameFile)
{
    const FlacCase c = flacCase("s16_stereo_44k_ogg");
    const std::vector<uint8_t> expected = expectedOutput(referenceSamples(c.name), c.bits, Output::Int16);
    const std::string path = dataPath(c.file);
    const std::string url = KORU_STANDIN_URL_PREFIX + path;
    const std::vector<uint8_t> bytes = readFile(c.file);
    MemoryFile user{bytes};

    const uint32_t handles[] = {
        flacPlugin().createFile(0, path.c_str(), 0, 0, 0),
        flacPlugin().createFile(1, bytes.data(), 0, bytes.size(), 0),
        flacPlugin().createUrl(url.c_str(), 0, 0, nullptr, nullptr),
        flacPlugin().createUser(0, 0, &memoryProcs, &user),
        KoruStandin_CreateWithPlugin(flacPlugin().streamCreate(), path.c_str(), 0),
    };
    for (uint32_t handle : handles) {
        StreamHandle stream(handle);
        ASSERT_TRUE(stream);
        const Decoded decoded = decodeAll(stream.get(), 65536);
        EXPECT_TRUE(decoded.ended);
        EXPECT_TRUE(decoded.bytes == expected);
    }
    EXPECT_TRUE(user.closed);
    EXPECT_EQ(KoruStandin_OpenFiles(), 0u);
}

TEST(FlacCreation, ZeroByteRequestDecodesNothing)
{
    StreamHandle stream(openFile("s16_stereo_44k.flac", 0));
    ASSERT_TRUE(stream);
    uint8_t byte = 0x5A;
    EXPECT_EQ(KoruStandin_StreamRead(stream.get(), &byte, 0), 0u);
    EXPECT_EQ(byte, 0x5A);
    const std::vector<uint8_t> expected = expectedOutput(referenceSamples("s16_stereo_44k"), 16, Output::Int16);
    EXPECT_TRUE(decodeAll(stream.get(), 3).bytes == expected);
}

} // namespace
