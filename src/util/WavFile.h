#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// PCM wave files: the 44-byte canonical header ("RIFF" size "WAVE", a 16-byte "fmt " chunk with
// format tag 1, then "data" size), little-endian, followed by the interleaved samples. 8-bit
// samples are unsigned, wider ones signed.
namespace util {

struct WavFormat
{
    std::uint32_t sampleRate = 22050; // frames per second
    std::uint16_t channels = 1;
    std::uint16_t bitsPerSample = 16; // 8, 16, 24 or 32

    // Bytes per frame (all channels of one sample time); 0 for an unusable format.
    std::uint32_t BlockAlign() const;
    // 1 to 8 channels, 8/16/24/32 bits, 1 to 1,000,000 frames per second.
    bool IsValid() const;
    bool operator==(const WavFormat &) const = default;
};

struct WavData
{
    WavFormat format;
    std::string pcm; // whole frames only
};

// The file bytes for pcm in format. A partial frame at the end of pcm is dropped. False (out
// empty) for an invalid format or when the file would pass the 4 GiB limit of its size fields.
bool MakeWavFile(const WavFormat &format, std::string_view pcm, std::string &out,
                 std::string *error = nullptr);
// Writes the file at path all at once (WriteFileAtomic): the old file stays as it was when
// writing fails.
bool WriteWavFile(const std::string &path, const WavFormat &format, std::string_view pcm,
                  std::string *error = nullptr);

// Reads a PCM wave file's format and samples: chunks other than "fmt " and "data" are skipped
// (with their pad byte), a data chunk longer than the file is cut at the file's end, and a
// partial last frame is dropped. False for anything that is not an uncompressed PCM wave.
bool ParseWavFile(std::string_view bytes, WavData &out, std::string *error = nullptr);

// The length of pcm in milliseconds (whole frames); 0 for an invalid format.
std::uint64_t WavDurationMs(const WavFormat &format, std::uint64_t pcmBytes);

} // namespace util
