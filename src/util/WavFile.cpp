#include "util/WavFile.h"

#include "util/FileUtil.h"

#include <algorithm>

namespace util {

namespace {

void putLe16(std::string &out, std::uint16_t value)
{
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8);
}

void putLe32(std::string &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((value >> shift) & 0xFF);
}

std::uint16_t le16(std::string_view bytes, size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t le32(std::string_view bytes, size_t at)
{
    return static_cast<std::uint32_t>(le16(bytes, at)) |
           static_cast<std::uint32_t>(le16(bytes, at + 2)) << 16;
}

bool fail(std::string *error, const char *text)
{
    if (error)
        *error = text;
    return false;
}

constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

} // namespace

std::uint32_t WavFormat::BlockAlign() const
{
    return IsValid() ? std::uint32_t(channels) * (bitsPerSample / 8) : 0;
}

bool WavFormat::IsValid() const
{
    const bool bits =
        bitsPerSample == 8 || bitsPerSample == 16 || bitsPerSample == 24 || bitsPerSample == 32;
    return bits && channels >= 1 && channels <= 8 && sampleRate >= 1 && sampleRate <= 1000000;
}

bool MakeWavFile(const WavFormat &format, std::string_view pcm, std::string &out,
                 std::string *error)
{
    out.clear();
    if (!format.IsValid())
        return fail(error, "unsupported sample format");
    const std::uint32_t block = format.BlockAlign();
    const std::uint64_t dataSize = pcm.size() / block * block;
    // "RIFF" size counts everything after its own 8 bytes: 36 header bytes plus the data.
    if (dataSize > 0xFFFFFFFFull - 36)
        return fail(error, "recording too long for a wave file");
    out.reserve(44 + static_cast<size_t>(dataSize));
    out += "RIFF";
    putLe32(out, static_cast<std::uint32_t>(36 + dataSize));
    out += "WAVEfmt ";
    putLe32(out, 16);
    putLe16(out, kFormatPcm);
    putLe16(out, format.channels);
    putLe32(out, format.sampleRate);
    putLe32(out, format.sampleRate * block); // bytes per second
    putLe16(out, static_cast<std::uint16_t>(block));
    putLe16(out, format.bitsPerSample);
    out += "data";
    putLe32(out, static_cast<std::uint32_t>(dataSize));
    out.append(pcm.substr(0, static_cast<size_t>(dataSize)));
    return true;
}

bool WriteWavFile(const std::string &path, const WavFormat &format, std::string_view pcm,
                  std::string *error)
{
    std::string bytes;
    if (!MakeWavFile(format, pcm, bytes, error))
        return false;
    return WriteFileAtomic(path, bytes, error);
}

bool ParseWavFile(std::string_view bytes, WavData &out, std::string *error)
{
    out = WavData();
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return fail(error, "not a wave file");
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t size = le32(bytes, at + 4);
        const size_t body = at + 8;
        const size_t available = bytes.size() - body;
        if (id == "fmt ") {
            if (size < 16 || size > available)
                return fail(error, "damaged format chunk");
            const std::uint16_t tag = le16(bytes, body);
            // The extensible form names its real format in the first two bytes of its GUID.
            const bool pcm = tag == kFormatPcm || (tag == kFormatExtensible && size >= 40 &&
                                                   le16(bytes, body + 24) == kFormatPcm);
            if (!pcm)
                return fail(error, "compressed wave files are not supported");
            out.format.channels = le16(bytes, body + 2);
            out.format.sampleRate = le32(bytes, body + 4);
            out.format.bitsPerSample = le16(bytes, body + 14);
            if (!out.format.IsValid() || le16(bytes, body + 12) != out.format.BlockAlign())
                return fail(error, "unsupported sample format");
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return fail(error, "samples before the format");
            const size_t length = static_cast<size_t>(std::min<std::uint64_t>(size, available));
            const std::uint32_t block = out.format.BlockAlign();
            out.pcm.assign(bytes.substr(body, length / block * block));
            return true;
        }
        if (size > available)
            break;
        at = body + static_cast<size_t>(size) + (size & 1);
    }
    return fail(error, haveFormat ? "no samples" : "no format chunk");
}

std::uint64_t WavDurationMs(const WavFormat &format, std::uint64_t pcmBytes)
{
    const std::uint32_t block = format.BlockAlign();
    if (block == 0)
        return 0;
    return pcmBytes / block * 1000 / format.sampleRate;
}

} // namespace util
