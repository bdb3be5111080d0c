#include "util/WavFile.h"

#include "util/FileUtil.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::uint32_t Le32(const std::string &b, size_t at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8 |
           static_cast<unsigned char>(b[at + 2]) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

unsigned Le16(const std::string &b, size_t at)
{
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

// A sine tone of frames frames, 16-bit, on every channel.
std::string Tone(int frames, int channels)
{
    std::string pcm;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<std::int16_t>(std::lround(12000 * std::sin(i * 0.05)));
        for (int c = 0; c < channels; ++c) {
            pcm += static_cast<char>(v & 0xFF);
            pcm += static_cast<char>((v >> 8) & 0xFF);
        }
    }
    return pcm;
}

struct HeaderCase
{
    const char *name;
    util::WavFormat format;
    size_t pcmBytes;
    std::uint32_t dataBytes; // whole frames kept
    std::uint32_t byteRate;
    unsigned blockAlign;
    std::uint64_t durationMs;
};

void PrintTo(const HeaderCase &c, std::ostream *os)
{
    *os << c.name;
}

class WavHeader : public testing::TestWithParam<HeaderCase>
{};

TEST_P(WavHeader, FieldsAndLength)
{
    const HeaderCase &c = GetParam();
    const std::string pcm(c.pcmBytes, '\x11');
    std::string file;
    ASSERT_TRUE(util::MakeWavFile(c.format, pcm, file));
    ASSERT_EQ(file.size(), 44u + c.dataBytes);
    EXPECT_EQ(file.substr(0, 4), "RIFF");
    EXPECT_EQ(Le32(file, 4), file.size() - 8);
    EXPECT_EQ(file.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(Le32(file, 16), 16u);
    EXPECT_EQ(Le16(file, 20), 1u); // PCM
    EXPECT_EQ(Le16(file, 22), c.format.channels);
    EXPECT_EQ(Le32(file, 24), c.format.sampleRate);
    EXPECT_EQ(Le32(file, 28), c.byteRate);
    EXPECT_EQ(Le16(file, 32), c.blockAlign);
    EXPECT_EQ(Le16(file, 34), c.format.bitsPerSample);
    EXPECT_EQ(file.substr(36, 4), "data");
    EXPECT_EQ(Le32(file, 40), c.dataBytes);
    EXPECT_EQ(util::WavDurationMs(c.format, c.pcmBytes), c.durationMs);

    util::WavData back;
    ASSERT_TRUE(util::ParseWavFile(file, back));
    EXPECT_EQ(back.format, c.format);
    EXPECT_EQ(back.pcm, pcm.substr(0, c.dataBytes));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WavHeader,
    testing::Values(HeaderCase{"mono16", {22050, 1, 16}, 44100, 44100, 44100, 2, 1000},
                    HeaderCase{"stereo16", {44100, 2, 16}, 17640, 17640, 176400, 4, 100},
                    HeaderCase{"mono8", {8000, 1, 8}, 4000, 4000, 8000, 1, 500},
                    // a partial frame at the end is dropped
                    HeaderCase{
                        "stereo24-partial", {48000, 2, 24}, 6 * 480 + 5, 6 * 480, 288000, 6, 10},
                    HeaderCase{"empty", {22050, 1, 16}, 0, 0, 44100, 2, 0}),
    [](const testing::TestParamInfo<HeaderCase> &info) {
        std::string name = info.param.name;
        for (char &ch : name)
            if (ch == '-')
                ch = '_';
        return name;
    });

TEST(WavFile, InvalidFormatsAreRefused)
{
    std::string out = "stale";
    std::string error;
    EXPECT_FALSE(util::MakeWavFile({22050, 0, 16}, "ab", out, &error));
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(util::MakeWavFile({22050, 1, 12}, "ab", out));
    EXPECT_FALSE(util::MakeWavFile({0, 1, 16}, "ab", out));
    EXPECT_EQ(util::WavDurationMs({0, 1, 16}, 100), 0u);
}

TEST(WavFile, ParseSkipsOtherChunksAndCutsATruncatedDataChunk)
{
    const std::string tone = Tone(100, 1);
    std::string file;
    ASSERT_TRUE(util::MakeWavFile({11025, 1, 16}, tone, file));
    // A "LIST" chunk of odd length (with its pad byte) between format and samples.
    std::string withList =
        file.substr(0, 36) + std::string("LIST\x03\0\0\0abc\0", 12) + file.substr(36);
    util::WavData data;
    ASSERT_TRUE(util::ParseWavFile(withList, data));
    EXPECT_EQ(data.pcm, tone);
    // The file ends in the middle of a frame: whole frames up to there are kept.
    ASSERT_TRUE(util::ParseWavFile(file.substr(0, 44 + 51), data));
    EXPECT_EQ(data.pcm, tone.substr(0, 50));
}

TEST(WavFile, ParseRefusesWhatIsNoPcmWave)
{
    std::string file;
    ASSERT_TRUE(util::MakeWavFile({22050, 1, 16}, Tone(10, 1), file));
    std::string compressed = file;
    compressed[20] = 2; // ADPCM
    std::string noFormat = file.substr(0, 12) + file.substr(36);
    std::string badAlign = file;
    badAlign[32] = 3;
    for (const std::string &bad : {std::string(), std::string("RIFF\0\0\0\0AVI ", 12),
                                   file.substr(0, 30), compressed, noFormat, badAlign}) {
        util::WavData data;
        std::string error;
        EXPECT_FALSE(util::ParseWavFile(bad, data, &error)) << bad.size();
        EXPECT_FALSE(error.empty());
    }
}

TEST(WavFile, WriteReplacesTheFileAtOnce)
{
    TempDir dir;
    const std::string path = dir.file("take.wav");
    ASSERT_TRUE(util::WriteFileAtomic(path, "the template"));
    const std::string tone = Tone(2205, 2);
    ASSERT_TRUE(util::WriteWavFile(path, {22050, 2, 16}, tone));
    std::string bytes;
    ASSERT_TRUE(util::ReadFile(path, bytes));
    util::WavData data;
    ASSERT_TRUE(util::ParseWavFile(bytes, data));
    EXPECT_EQ(data.pcm, tone);
    EXPECT_EQ(util::WavDurationMs(data.format, data.pcm.size()), 100u);

    // A write that fails half way (a full disk) leaves the previous recording whole.
    util::SetWriteFaultHook([](const std::string &) { return false; });
    const bool written = util::WriteWavFile(path, {22050, 2, 16}, Tone(50000, 2));
    util::SetWriteFaultHook({});
    EXPECT_FALSE(written);
    std::string after;
    ASSERT_TRUE(util::ReadFile(path, after));
    EXPECT_EQ(after, bytes);
    EXPECT_EQ(util::ListFiles(dir.path(), "*").size(), 1u); // no temporary file left behind
}

TEST(WavFile, InstalledTemplateParses)
{
    std::string bytes;
    ASSERT_TRUE(util::ReadFile(PELION_SOURCE_DIR "/data/Bin/Template.wav", bytes));
    util::WavData data;
    ASSERT_TRUE(util::ParseWavFile(bytes, data));
    EXPECT_EQ(data.format.bitsPerSample, 16);
}

} // namespace
