// Positioning: after a seek the output equals the reference from the target sample on.
#include "FlacHarness.h"
#include "KoruStandin.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr uint64_t Failed = ~uint64_t{0};

struct SeekCase {
    const char* name;
    Output output;
    uint64_t sampleFrame; // target, in sample frames
    uint32_t byteInFrame; // added to the byte position: not a multiple of the frame size
};

class FlacSeek : public testing::TestWithParam<SeekCase> {};

TEST_P(FlacSeek, OutputFromTargetEqualsReference)
{
    const SeekCase& p = GetParam();
    const FlacCase c = flacCase(p.name);
    StreamHandle stream(openFile(c.file, createFlags(p.output)));
    ASSERT_TRUE(stream);
    const std::vector<uint8_t> expected = expectedOutput(referenceSamples(c.name), c.bits, p.output);
    const uint32_t frameBytes = sampleBytes(p.output) * c.channels;

    // Read a little first, so that the seek happens mid-stream.
    std::vector<uint8_t> start(1000);
    KoruStandin_StreamRead(stream.get(), start.data(), 1000);

    const uint64_t position = p.sampleFrame * frameBytes + p.byteInFrame;
    KoruStandin_SetError(-1);
    ASSERT_EQ(KoruStandin_StreamSetPosition(stream.get(), position, 0), position);
    EXPECT_EQ(KoruStandin_Error(), 0);
    const Decoded rest = decodeAll(stream.get(), 65536);
    EXPECT_TRUE(rest.ended);
    const std::vector<uint8_t> tail(expected.begin() + p.sampleFrame * frameBytes, expected.end());
    ASSERT_EQ(rest.bytes.size(), tail.size());
    EXPECT_TRUE(rest.bytes == tail);
}

// s16_stereo_44k_b576 has frames of 576 samples; s16_stereo_44k of 4096.
INSTANTIATE_TEST_SUITE_P(Positions, FlacSeek,
                         testing::Values(SeekCase{"s16_stereo_44k_b576", Output::Int16, 0, 0},
                                         SeekCase{"s16_stereo_44k_b576", Output::Int16, 576 * 7, 0},
                                         SeekCase{"s16_stereo_44k_b576", Output::Int16, 576 * 7 + 1, 0},
                                         SeekCase{"s16_stereo_44k_b576", Output::Int16, 576 * 20 - 1, 3},
                                         SeekCase{"s16_stereo_44k_b576", Output::Float, 10000, 5},
                                         SeekCase{"s16_stereo_44k", Output::Int16, 4096 * 3 + 100, 1},
                                         SeekCase{"s16_stereo_44k", Output::Int16, 44099, 0},
                                         SeekCase{"s16_stereo_44k_ogg", Output::Int16, 20000, 0},
                                         SeekCase{"s24_6ch_96k", Output::Float, 12345, 0},
                                         SeekCase{"s24_6ch_96k_ogg", Output::Int16, 12345, 7},
                                         SeekCase{"s24_stereo_48k_variable", Output::Int16, 1152 + 4608 + 10, 0},
                                         SeekCase{"s8_mono_8k", Output::UInt8, 5000, 0}));

TEST(FlacPosition, AtOrPastTheEndIsRefusedWithError7)
{
    StreamHandle stream(openFile("s16_stereo_44k.flac", 0));
    ASSERT_TRUE(stream);
    const uint64_t length = KoruStandin_StreamLength(stream.get(), 0);
    EXPECT_TRUE(KoruStandin_StreamCanSetPosition(stream.get(), length - 1, 0));
    for (uint64_t position : {length, length + 1, Failed}) {
        KoruStandin_SetError(-1);
        EXPECT_FALSE(KoruStandin_StreamCanSetPosition(stream.get(), position, 0));
        EXPECT_EQ(KoruStandin_Error(), 7);
    }
}

TEST(FlacPosition, ModesOtherThanBytesAreRefusedWithError37)
{
    StreamHandle stream(openFile("s16_stereo_44k.flac", 0));
    ASSERT_TRUE(stream);
    for (uint32_t mode : {1u, 2u, 0xFFu, 0x101u}) {
        KoruStandin_SetError(-1);
        EXPECT_FALSE(KoruStandin_StreamCanSetPosition(stream.get(), 0, mode));
        EXPECT_EQ(KoruStandin_Error(), 37);
        KoruStandin_SetError(-1);
        EXPECT_EQ(KoruStandin_StreamLength(stream.get(), mode), Failed);
        EXPECT_EQ(KoruStandin_Error(), 37);
    }
    // Higher bits of the mode are the audio library's own flags.
    KoruStandin_SetError(-1);
    EXPECT_TRUE(KoruStandin_StreamCanSetPosition(stream.get(), 0, 0x1000000u));
    EXPECT_EQ(KoruStandin_Error(), 0);
}

TEST(FlacPosition, StreamThatEndedPlaysAgainFromTheTarget)
{
    StreamHandle stream(openFile("s16_stereo_44k.flac", 0));
    ASSERT_TRUE(stream);
    const std::vector<uint8_t> expected = expectedOutput(referenceSamples("s16_stereo_44k"), 16, Output::Int16);
    EXPECT_TRUE(decodeAll(stream.get(), 65536).ended);
    ASSERT_EQ(KoruStandin_StreamSetPosition(stream.get(), 400, 0), 400u);
    const Decoded again = decodeAll(stream.get(), 65536);
    EXPECT_TRUE(again.ended);
    EXPECT_TRUE(again.bytes == std::vector<uint8_t>(expected.begin() + 400, expected.end()));
}

// A file whose procedures refuse every seek beyond a limit: the decoder cannot get there.
struct LimitedFile {
    std::vector<uint8_t> data;
    uint64_t position = 0;
    uint64_t seekLimit = UINT64_MAX;
};

const KoruFileProcs limitedProcs = {
    [](void*) {},
    [](void* user) -> uint64_t { return static_cast<LimitedFile*>(user)->data.size(); },
    [](void* buffer, uint32_t length, void* user) -> uint32_t {
        auto* f = static_cast<LimitedFile*>(user);
        const uint64_t n = std::min<uint64_t>(length, f->data.size() - f->position);
        std::memcpy(buffer, f->data.data() + f->position, n);
        f->position += n;
        return static_cast<uint32_t>(n);
    },
    [](uint64_t offset, void* user) -> int32_t {
        auto* f = static_cast<LimitedFile*>(user);
        if (offset > f->seekLimit || offset > f->data.size())
            return 0;
        f->position = offset;
        return 1;
    },
};

TEST(FlacPosition, FailedSeekRestoresTheReadPositionAndReportsError7)
{
    LimitedFile file{readFile("s16_stereo_44k_b576.flac")};
    StreamHandle stream(flacPlugin().createUser(0, 0, &limitedProcs, &file));
    ASSERT_TRUE(stream);
    std::vector<uint8_t> some(5000);
    KoruStandin_StreamRead(stream.get(), some.data(), 5000);
    const uint64_t before = KoruStandin_StreamFileReadPosition(stream.get());
    file.seekLimit = before;

    KoruStandin_SetError(-1);
    EXPECT_EQ(KoruStandin_StreamSetPosition(stream.get(), 4 * 20000, 0), Failed);
    EXPECT_EQ(KoruStandin_Error(), 7);
    EXPECT_EQ(KoruStandin_StreamFileReadPosition(stream.get()), before);
    EXPECT_EQ(file.position, before);

    // Playback goes on from wherever the decoder finds a frame, and ends.
    file.seekLimit = UINT64_MAX;
    const Decoded rest = decodeAll(stream.get(), 65536, 1000);
    EXPECT_TRUE(rest.ended);
    EXPECT_FALSE(rest.overran);
}

} // namespace
