// PCX writer: a 128-byte header, every row split into its planes and run-length encoded on its
// own, then the 256-colour palette after a 12 marker for 8-bit pictures.
#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"

#include <bit>
#include <cstring>
#include <vector>

namespace imagelib {

namespace {

// Runs of up to 63 equal bytes become 0xC0 + count and the byte; a lone byte below 0xC0 is
// written as it is, a lone byte of 0xC0 or above as a run of one.
// Returns the end of what was written; out has room for 2 x n bytes.
uint8_t *encodeRow(const uint8_t *in, size_t n, uint8_t *out)
{
    const uint8_t *end = in + n;
    while (in < end) {
        const uint8_t v = *in;
        if (in + 1 == end || in[1] != v) {
            // a lone byte, the common case in photographs: the byte, or 0xC1 and the byte when
            // it is 0xC0 or above, stored as one 16-bit word without a branch on its value
            const unsigned high = v >= 0xC0;
            if constexpr (std::endian::native == std::endian::little) {
                const uint16_t word = high ? static_cast<uint16_t>(0xC1 | (v << 8)) : v;
                std::memcpy(out, &word, 2);
            } else {
                out[0] = 0xC1;
                out[high] = v;
            }
            out += 1 + high;
            ++in;
            continue;
        }
        const uint8_t *stop = end - in > 63 ? in + 63 : end;
        const uint8_t *p = in + 2;
        while (p < stop && *p == v)
            ++p;
        out[0] = static_cast<uint8_t>(0xC0 | (p - in));
        out[1] = v;
        out += 2;
        in = p;
    }
    return out;
}

} // namespace

bool EncodePcx(const CDib &dib, std::string &out, CodecError &error)
{
    out.clear();
    if (dib.IsEmpty()) {
        error.text = "no picture";
        return false;
    }
    const int width = dib.Width();
    const int height = dib.Height();
    const int bits = dib.BitCount() > 8 ? 24 : dib.BitCount();
    const int bitsPerPlane = bits == 4 ? 1 : bits == 24 ? 8 : bits;
    const int planes = bits == 4 ? 4 : bits == 24 ? 3 : 1;
    const size_t bytesPerLine = (static_cast<size_t>(bitsPerPlane) * width + 15) / 16 * 2;
    // the window and the line length are 16-bit fields
    if (width > 65536 || height > 65536 || bytesPerLine > 0xFFFF) {
        error.text = "picture too large for a PCX file";
        return false;
    }

    uint8_t header[128] = {};
    header[0] = 10;
    header[1] = 5;
    header[2] = 1;
    header[3] = static_cast<uint8_t>(bitsPerPlane);
    PutLe16(header + 8, static_cast<unsigned>(width - 1));
    PutLe16(header + 10, static_cast<unsigned>(height - 1));
    PutLe16(header + 12, static_cast<unsigned>(ScreenWidth()));
    PutLe16(header + 14, static_cast<unsigned>(ScreenHeight()));
    header[65] = static_cast<uint8_t>(planes);
    PutLe16(header + 66, static_cast<unsigned>(bytesPerLine));
    PutLe16(header + 68, 1);
    PutLe16(header + 70, static_cast<unsigned>(ScreenWidth()));
    PutLe16(header + 72, static_cast<unsigned>(ScreenHeight()));
    std::memcpy(header + 118, "PCXW 2.01 ", 10);
    const std::vector<RgbQuad> &palette = dib.Palette();
    if (bits == 1 || bits == 4) {
        for (size_t i = 0; i < (size_t(1) << bits); ++i) {
            header[16 + 3 * i] = palette[i].red;
            header[16 + 3 * i + 1] = palette[i].green;
            header[16 + 3 * i + 2] = palette[i].blue;
        }
    }

    const size_t lineBytes = bytesPerLine * static_cast<size_t>(planes);
    std::vector<uint8_t> line(lineBytes);
    // each row is encoded into a buffer of the worst case (every byte doubled), then appended
    std::vector<uint8_t> encoded(2 * lineBytes + 1);
    try {
        out.reserve(128 + lineBytes * static_cast<size_t>(height) * 5 / 4 + 769);
        out.append(reinterpret_cast<const char *>(header), sizeof header);
        for (int y = 0; y < height; ++y) {
            const uint8_t *row = dib.RowFromTop(y);
            std::memset(line.data(), 0, lineBytes);
            if (bits == 1 || bits == 8) {
                std::memcpy(line.data(), row, bytesPerLine);
            } else if (bits == 4) {
                // plane k holds bit k of every pixel, eight pixels to a byte
                for (int x = 0; x < width; ++x) {
                    const unsigned v = (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15;
                    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
                    for (int k = 0; k < 4; ++k)
                        if (v & (1u << k))
                            line[k * bytesPerLine + (x >> 3)] |= bit;
                }
            } else {
                uint8_t *r = line.data();
                uint8_t *g = r + bytesPerLine;
                uint8_t *b = g + bytesPerLine;
                if (dib.BitCount() == 24 || dib.BitCount() == 32) {
                    const int step = dib.BitCount() / 8;
                    const uint8_t *in = row;
                    for (int x = 0; x < width; ++x, in += step) {
                        b[x] = in[0];
                        g[x] = in[1];
                        r[x] = in[2];
                    }
                } else {
                    for (int x = 0; x < width; ++x) {
                        const RgbQuad c = dib.PixelColour(x, y);
                        r[x] = c.red;
                        g[x] = c.green;
                        b[x] = c.blue;
                    }
                }
            }
            const uint8_t *stop = encodeRow(line.data(), lineBytes, encoded.data());
            out.append(reinterpret_cast<const char *>(encoded.data()),
                       static_cast<size_t>(stop - encoded.data()));
        }
        // The palette always follows the rows just written: never look for an earlier marker in
        // the row data, which may hold a 12 in that place by chance.
        if (bits == 8) {
            out.push_back(12);
            for (size_t i = 0; i < 256; ++i) {
                out.push_back(static_cast<char>(palette[i].red));
                out.push_back(static_cast<char>(palette[i].green));
                out.push_back(static_cast<char>(palette[i].blue));
            }
        }
    } catch (const std::bad_alloc &) {
        out.clear();
        error.text = "Can't allocate memory";
        return false;
    }
    return true;
}

} // namespace imagelib
