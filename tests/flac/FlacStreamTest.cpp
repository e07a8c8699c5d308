// Stream creation and what a stream answers: flags, length, tags, information, data rate,
// refusals, and a file that is still arriving.
#include "FlacHarness.h"
#include "KoruStandin.h"
#include "KoruLibrary.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class FlacStreamTest : public testing::Test {
protected:
    void SetUp() override
    {
        KoruStandin_SetFileFlags(0);
        KoruStandin_SetDownloadStart(UINT64_MAX);
        KoruStandin_RefuseStreams(0);
    }
    void TearDown() override { EXPECT_EQ(KoruStandin_OpenFiles(), 0u) << "a file was left open"; }
};

struct FlagCase {
    const char* file;
    uint32_t callerFlags;
    uint32_t fileFlags;
    uint32_t streamFlags;
    uint32_t frameBytes; // length / total samples
};

TEST_F(FlacStreamTest, StreamFlagsAndOutputFormat)
{
    const FlagCase rows[] = {
        {"s16_stereo_44k.flac", 0x1, 0, 0, 4},              // a caller cannot ask for 8 bits
        {"s8_mono_8k.flac", 0, 0, 0x1, 1},                  // 8-bit sources give 8-bit output
        {"s8_mono_8k.flac", 0x100, 0, 0x101, 4},            // ... and float wins
        {"s24_6ch_96k.flac", 0x100, 0, 0x100, 24},
        {"s24_6ch_96k.flac", 0, 0, 0, 12},
        {"s16_stereo_44k.flac", 0xFFFFFFFF, 0, 0x3F24019C, 8},
        {"s16_stereo_44k.flac", 0, 0xFFFFFFFE, 0x100000, 4}, // only 0x100000 of the file's flags
    };
    for (const FlagCase& row : rows) {
        KoruStandin_SetFileFlags(row.fileFlags);
        StreamHandle stream(openFile(row.file, row.callerFlags));
        ASSERT_TRUE(stream) << row.file;
        EXPECT_EQ(KoruStandin_StreamFlags(stream.get()), row.streamFlags) << row.file << " " << row.callerFlags;
        const FlacCase c = flacCase(std::string(row.file).substr(0, std::strlen(row.file) - 5));
        const uint64_t samples = referenceSamples(c.name).size() / c.channels;
        EXPECT_EQ(KoruStandin_StreamLength(stream.get(), 0), samples * row.frameBytes) << row.file;
    }
}

TEST_F(FlacStreamTest, CommentsAreANineByteListAndVendorIsTheEncoders)
{
    for (const char* file : {"tags.flac", "tags_ogg.oga"}) {
        StreamHandle stream(openFile(file, 0));
        ASSERT_TRUE(stream);
        const char* comments = KoruStandin_StreamTags(stream.get(), 2);
        ASSERT_NE(comments, nullptr);
        EXPECT_EQ(std::string(comments, 9), std::string("A=1\0B=2\0\0", 9));
        const char* vendor = KoruStandin_StreamTags(stream.get(), 9);
        ASSERT_NE(vendor, nullptr);
        EXPECT_EQ(std::string(vendor).rfind("reference libFLAC", 0), 0u) << vendor;
        for (uint32_t type : {0u, 1u, 3u, 8u, 10u, 0xFFFFFFFFu})
            EXPECT_EQ(KoruStandin_StreamTags(stream.get(), type), nullptr) << type;
    }
}

TEST_F(FlacStreamTest, CommentBlockWithoutCommentsGivesNoList)
{
    StreamHandle stream(openFile("s16_stereo_44k.flac", 0));
    ASSERT_TRUE(stream);
    EXPECT_EQ(KoruStandin_StreamTags(stream.get(), 2), nullptr);
    EXPECT_NE(KoruStandin_StreamTags(stream.get(), 9), nullptr);
}

TEST_F(FlacStreamTest, InfoWritesTypeCodeAndSourceBitsOnly)
{
    const struct {
        const char* file;
        uint32_t typeCode;
        uint32_t bits;
    } rows[] = {
        {"s16_stereo_44k.flac", 0x10900, 16},
        {"s16_stereo_44k_ogg.oga", 0x10901, 16},
        {"s24_6ch_96k_ogg.oga", 0x10901, 24},
        {"s20_mono_48k.flac", 0x10900, 20},
        {"s8_mono_8k.flac", 0x10900, 8},
    };
    for (const auto& row : rows) {
        StreamHandle stream(openFile(row.file, 0));
        ASSERT_TRUE(stream);
        KoruStreamInfo info;
        std::memset(&info, 0xCC, sizeof info);
        KoruStandin_StreamInfo(stream.get(), &info);
        EXPECT_EQ(info.typeCode, row.typeCode) << row.file;
        EXPECT_EQ(info.sourceBits, row.bits) << row.file;
        for (uint32_t word : info.reserved)
            EXPECT_EQ(word, 0xCCCCCCCCu);
    }
}

TEST_F(FlacStreamTest, DataRateForFilesThatAskForIt)
{
    const struct {
        const char* file;
        uint32_t rate;
    } rows[] = {
        {"rate_10s.flac", 200000},        // 2,000,000 bytes / 10 s
        {"rate_10s_unknown.flac", 88200}, // total samples unknown: 44100 × 16 × 2 / 16
        {"rate_short.flac", 88200},       // under one second
    };
    for (const auto& row : rows) {
        KoruStandin_SetFileFlags(KoruFileReportsDataRate);
        StreamHandle stream(openFile(row.file, 0));
        ASSERT_TRUE(stream);
        EXPECT_EQ(KoruStandin_StreamDataRate(stream.get()), row.rate) << row.file;
    }
    KoruStandin_SetFileFlags(0);
    StreamHandle unasked(openFile("rate_10s.flac", 0));
    EXPECT_EQ(KoruStandin_StreamDataRate(unasked.get()), 0u);
}

// Reporting the data rate must not cost the start of the audio.
TEST_F(FlacStreamTest, FileThatAsksForTheDataRateDecodesFromItsFirstSample)
{
    for (const char* name : {"s16_stereo_44k", "s24_6ch_96k_ogg"}) {
        const FlacCase c = flacCase(name);
        KoruStandin_SetFileFlags(KoruFileReportsDataRate);
        StreamHandle stream(openFile(c.file, 0));
        ASSERT_TRUE(stream);
        const Decoded decoded = decodeAll(stream.get(), 65536);
        EXPECT_TRUE(decoded.bytes == expectedOutput(referenceSamples(name), c.bits, Output::Int16)) << name;
    }
}

TEST_F(FlacStreamTest, UnknownTotalSamples)
{
    StreamHandle stream(openFile("rate_10s_unknown.flac", 0));
    ASSERT_TRUE(stream);
    KoruStandin_SetError(-1);
    EXPECT_EQ(KoruStandin_StreamLength(stream.get(), 0), 0u);
    EXPECT_EQ(KoruStandin_Error(), 0);
    EXPECT_FALSE(KoruStandin_StreamCanSetPosition(stream.get(), 0, 0));
    EXPECT_EQ(KoruStandin_Error(), 7);

    const std::vector<uint8_t> expected = expectedOutput(referenceSamples("rate_10s"), 16, Output::Int16);
    const Decoded decoded = decodeAll(stream.get(), 65536);
    EXPECT_TRUE(decoded.ended);
    EXPECT_TRUE(decoded.bytes == expected);
    EXPECT_EQ(KoruStandin_StreamLength(stream.get(), 0), expected.size());
    EXPECT_TRUE(KoruStandin_StreamCanSetPosition(stream.get(), expected.size() - 1, 0));
}

TEST_F(FlacStreamTest, NotFlacIsRefusedWithError41AndTheFileClosed)
{
    for (const char* file : {"id3.flac", "vorbis.ogg", "cases.txt", "s16_stereo_44k.ref"}) {
        KoruStandin_SetError(-1);
        EXPECT_EQ(openFile(file, 0), 0u) << file;
        EXPECT_EQ(KoruStandin_Error(), 41) << file;
        EXPECT_EQ(KoruStandin_OpenFiles(), 0u) << file;
    }
    const std::string path = dataPath("id3.flac");
    KoruStandin_SetError(-1);
    EXPECT_EQ(KoruStandin_CreateWithPlugin(flacPlugin().streamCreate(), path.c_str(), 0), 0u);
    EXPECT_EQ(KoruStandin_Error(), 41);
}

TEST_F(FlacStreamTest, FilesShorterThanTheirSignature)
{
    const std::vector<uint8_t> flac = readFile("s16_stereo_44k.flac");
    for (size_t size : {0, 3, 4, 8, 41}) {
        KoruStandin_SetError(-1);
        EXPECT_EQ(flacPlugin().createFile(1, flac.data(), 0, size, 0), 0u) << size;
        EXPECT_EQ(KoruStandin_Error(), 41) << size;
    }
}

TEST_F(FlacStreamTest, StreamRefusedByTheLibraryKeepsItsErrorAndClosesTheFile)
{
    KoruStandin_RefuseStreams(1);
    KoruStandin_SetError(-1);
    EXPECT_EQ(openFile("s16_stereo_44k.flac", 0), 0u);
    EXPECT_EQ(KoruStandin_Error(), 1);
}

TEST_F(FlacStreamTest, OpenFailureCallsNothingElse)
{
    KoruStandin_SetError(-1);
    EXPECT_EQ(flacPlugin().createUrl("http://nowhere.invalid/x.flac", 0, 0, nullptr, nullptr), 0u);
    EXPECT_EQ(openFile("no-such-file.flac", 0), 0u);
    EXPECT_EQ(KoruStandin_Error(), -1);
}

TEST_F(FlacStreamTest, FileStillArrivingIsHeldBackUntilAMaximumFrameHasArrived)
{
    const FlacCase c = flacCase("s16_stereo_44k");
    const std::vector<uint8_t> expected = expectedOutput(referenceSamples(c.name), c.bits, Output::Int16);
    const std::vector<uint8_t> bytes = readFile(c.file);
    uint32_t maxFrame = (bytes[8 + 7] << 16) | (bytes[8 + 8] << 8) | bytes[8 + 9];
    ASSERT_GT(maxFrame, 0u);

    const std::string url = KORU_STANDIN_URL_PREFIX + dataPath(c.file);
    // The metadata (with flac's 8 KiB of padding) must have arrived before creation reads it.
    KoruStandin_SetDownloadStart(20000);
    StreamHandle stream(flacPlugin().createUrl(url.c_str(), 0, 0, nullptr, nullptr));
    ASSERT_TRUE(stream);

    std::vector<uint8_t> out;
    std::vector<uint8_t> chunk(65536);
    uint64_t arrived = 20000;
    int heldBack = 0;
    for (int step = 0; step < 10000; ++step) {
        const uint64_t readPosition = KoruStandin_StreamFileReadPosition(stream.get());
        const uint32_t result = KoruStandin_StreamRead(stream.get(), chunk.data(), 65536);
        const uint32_t n = result & 0x7FFFFFFF;
        out.insert(out.end(), chunk.begin(), chunk.begin() + n);
        if (result & 0x80000000u)
            break;
        ASSERT_LT(arrived, bytes.size()) << "short read although everything had arrived";
        // Held back: less than a maximum frame lay ahead of the read position.
        EXPECT_LT(arrived - KoruStandin_StreamFileReadPosition(stream.get()), maxFrame);
        heldBack += KoruStandin_StreamFileReadPosition(stream.get()) == readPosition && n == 0;
        arrived += 3000;
        KoruStandin_ReleaseDownload(stream.get(), arrived);
    }
    EXPECT_GT(heldBack, 0);
    EXPECT_TRUE(out == expected);
}

TEST_F(FlacStreamTest, StreamAndFileAreReleasedTogether)
{
    {
        StreamHandle stream(openFile("tags.flac", 0));
        ASSERT_TRUE(stream);
        EXPECT_EQ(KoruStandin_OpenFiles(), 1u);
    }
    EXPECT_EQ(KoruStandin_OpenFiles(), 0u);
}

} // namespace
