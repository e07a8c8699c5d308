// Damaged input: decoding goes on or ends, never crashes, never writes out of bounds.
#include "FlacHarness.h"
#include "KoruStandin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

struct CorruptCase {
    const char* name;
};

class FlacCorrupt : public testing::TestWithParam<CorruptCase> {};

TEST_P(FlacCorrupt, TruncatedFileGivesAPrefixOfTheReferenceAndEnds)
{
    const FlacCase c = flacCase(GetParam().name);
    const std::vector<uint8_t> bytes = readFile(c.file);
    const std::vector<uint8_t> expected = expectedOutput(referenceSamples(c.name), c.bits, Output::Int16);
    for (size_t size : {bytes.size() / 7, bytes.size() / 2, bytes.size() - 1, bytes.size() - 100}) {
        StreamHandle stream(flacPlugin().createFile(1, bytes.data(), 0, size, 0));
        if (!stream)
            continue; // cut inside the metadata
        const Decoded decoded = decodeAll(stream.get(), 65536, 10000);
        EXPECT_TRUE(decoded.ended) << size;
        EXPECT_FALSE(decoded.overran) << size;
        ASSERT_LE(decoded.bytes.size(), expected.size()) << size;
        EXPECT_TRUE(std::equal(decoded.bytes.begin(), decoded.bytes.end(), expected.begin())) << size;
    }
    EXPECT_EQ(KoruStandin_OpenFiles(), 0u);
}

TEST_P(FlacCorrupt, FlippedBitsInFramesNeverOverrunAndTheStreamEnds)
{
    const FlacCase c = flacCase(GetParam().name);
    const std::vector<uint8_t> original = readFile(c.file);
    std::mt19937 random(1234);
    for (int round = 0; round < 12; ++round) {
        std::vector<uint8_t> bytes = original;
        // Past the first 8 KiB, where the metadata lies: creation still succeeds.
        std::uniform_int_distribution<size_t> where(8192, bytes.size() - 1);
        for (int flip = 0; flip < 1 + round * 4; ++flip)
            bytes[where(random)] ^= static_cast<uint8_t>(1u << (random() % 8));
        for (Output output : {Output::Int16, Output::Float}) {
            StreamHandle stream(flacPlugin().createFile(1, bytes.data(), 0, bytes.size(), createFlags(output)));
            ASSERT_TRUE(stream);
            const Decoded decoded = decodeAll(stream.get(), 5000, 100000);
            EXPECT_TRUE(decoded.ended) << round;
            EXPECT_FALSE(decoded.overran) << round;
            // Seeking within damaged data fails or succeeds, but never hangs.
            KoruStandin_StreamSetPosition(stream.get(), decoded.bytes.size() / 3 / 4 * 4, 0);
            EXPECT_TRUE(decodeAll(stream.get(), 65536, 100000).ended) << round;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, FlacCorrupt,
                         testing::Values(CorruptCase{"s16_stereo_44k"}, CorruptCase{"s16_stereo_44k_ogg"},
                                         CorruptCase{"s24_6ch_96k"}, CorruptCase{"s24_stereo_48k_variable"}),
                         [](const testing::TestParamInfo<CorruptCase>& info) { return info.param.name; });

} // namespace
