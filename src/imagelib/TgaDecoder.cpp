// TGA reader: colour-mapped, true-colour and grey pictures, plain or run-length encoded.
#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"

#include <cstring>
#include <vector>

namespace imagelib {

namespace {

constexpr size_t kHeaderSize = 18;

bool fail(CodecError &error, const char *text)
{
    error.text = text;
    return false;
}

RgbQuad colourOf(const uint8_t *p, int bytes)
{
    if (bytes == 2) {
        const unsigned v = Le16(p);
        return RgbQuad{Widen5(v & 31), Widen5((v >> 5) & 31), Widen5((v >> 10) & 31), 0};
    }
    return RgbQuad{p[0], p[1], p[2], 0};
}

} // namespace

bool DecodeTga(const uint8_t *data, size_t size, CDib &dib, CodecError &error)
{
    dib.Clear();
    if (size < kHeaderSize)
        return fail(error, "truncated TGA header");
    const uint8_t idLength = data[0];
    const uint8_t mapType = data[1];
    const uint8_t type = data[2];
    const unsigned mapFirst = Le16(data + 3);
    const unsigned mapLength = Le16(data + 5);
    const unsigned mapEntryBits = data[7];
    const int width = Le16(data + 12);
    const int height = Le16(data + 14);
    const int depth = data[16];
    const uint8_t descriptor = data[17];

    const bool mapped = type == 1 || type == 9;
    const bool grey = type == 3 || type == 11;
    const bool trueColour = type == 2 || type == 10;
    const bool rle = type >= 9;
    if (!mapped && !grey && !trueColour)
        return fail(error, "unsupported TGA image type");
    if ((mapped || grey) && depth != 8)
        return fail(error, "unsupported TGA depth");
    if (trueColour && depth != 15 && depth != 16 && depth != 24 && depth != 32)
        return fail(error, "unsupported TGA depth");
    if (mapped && mapType != 1)
        return fail(error, "colour-mapped TGA without a colour map");
    if (width == 0 || height == 0)
        return fail(error, "empty TGA picture");

    size_t at = kHeaderSize + idLength;
    const int mapEntryBytes = static_cast<int>((mapEntryBits + 7) / 8);
    const uint8_t *map = nullptr;
    if (mapType == 1) {
        if (mapped && mapEntryBits != 15 && mapEntryBits != 16 && mapEntryBits != 24 &&
            mapEntryBits != 32)
            return fail(error, "unsupported TGA colour map entry size");
        const size_t mapBytes = static_cast<size_t>(mapLength) * static_cast<size_t>(mapEntryBytes);
        if (at > size || size - at < mapBytes)
            return fail(error, "truncated TGA colour map");
        map = data + at;
        at += mapBytes;
    }
    if (at > size)
        return fail(error, "truncated TGA data");

    const int pixelBytes = (depth + 7) / 8;
    const int outBits = depth <= 8 ? 8 : depth == 32 ? 32 : 24;
    std::string why;
    if (!dib.Create(width, height, outBits, &why, false)) {
        error.text = why;
        return false;
    }
    if (mapped) {
        // index i shows map entry i - first; indices outside the map are black
        for (unsigned i = 0; i < 256; ++i) {
            const bool inMap = i >= mapFirst && i - mapFirst < mapLength;
            dib.Palette()[i] =
                inMap ? colourOf(map + (i - mapFirst) * mapEntryBytes, mapEntryBytes) : RgbQuad{};
        }
    } else if (grey) {
        for (int i = 0; i < 256; ++i)
            dib.Palette()[i] = RgbQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
    }

    // Pixels in file order; bit 5 of the descriptor puts the first row at the top, bit 4 the
    // first pixel of a row at the right.
    const bool topFirst = descriptor & 0x20;
    const bool rightFirst = descriptor & 0x10;
    const size_t rowBytes = static_cast<size_t>(width) * pixelBytes;
    const uint8_t *src = data + at;
    const uint8_t *end = data + size;
    std::vector<uint8_t> unpacked;
    if (rle) {
        // Packets may run across rows; decode the whole picture into file-order pixels.
        const size_t total = rowBytes * static_cast<size_t>(height);
        try {
            unpacked.resize(total);
        } catch (const std::bad_alloc &) {
            dib.Clear();
            return fail(error, "Can't allocate memory");
        }
        size_t filled = 0;
        while (filled < total) {
            if (src == end) {
                dib.Clear();
                return fail(error, "truncated TGA data");
            }
            const uint8_t packet = *src++;
            const size_t count = static_cast<size_t>(packet & 0x7F) + 1;
            const size_t bytes = std::min(count * pixelBytes, total - filled);
            if (packet & 0x80) {
                if (static_cast<size_t>(end - src) < static_cast<size_t>(pixelBytes)) {
                    dib.Clear();
                    return fail(error, "truncated TGA data");
                }
                uint8_t *dst = unpacked.data() + filled;
                if (pixelBytes == 1) {
                    std::memset(dst, *src, bytes);
                } else {
                    for (size_t i = 0; i < bytes; i += pixelBytes)
                        std::memcpy(dst + i, src, std::min<size_t>(pixelBytes, bytes - i));
                }
                src += pixelBytes;
            } else {
                if (static_cast<size_t>(end - src) < bytes) {
                    dib.Clear();
                    return fail(error, "truncated TGA data");
                }
                std::memcpy(unpacked.data() + filled, src, bytes);
                src += bytes;
            }
            filled += bytes;
        }
        src = unpacked.data();
    } else if (static_cast<size_t>(end - src) / rowBytes < static_cast<size_t>(height)) {
        dib.Clear();
        return fail(error, "truncated TGA data");
    }

    for (int y = 0; y < height; ++y) {
        const uint8_t *in = src + rowBytes * static_cast<size_t>(y);
        uint8_t *out = topFirst ? dib.RowFromTop(y) : dib.Row(y);
        const size_t stride = dib.Stride();
        if (pixelBytes == 2) {
            for (int x = 0; x < width; ++x) {
                const RgbQuad c = colourOf(in + 2 * x, 2);
                out[3 * x] = c.blue;
                out[3 * x + 1] = c.green;
                out[3 * x + 2] = c.red;
            }
            std::memset(out + 3 * static_cast<size_t>(width), 0,
                        stride - 3 * static_cast<size_t>(width));
        } else {
            std::memcpy(out, in, rowBytes);
            std::memset(out + rowBytes, 0, stride - rowBytes);
        }
        if (rightFirst) {
            const int bytes = outBits / 8;
            for (int a = 0, b = width - 1; a < b; ++a, --b)
                for (int k = 0; k < bytes; ++k)
                    std::swap(out[a * bytes + k], out[b * bytes + k]);
        }
    }
    return true;
}

} // namespace imagelib
