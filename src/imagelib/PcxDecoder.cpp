// PCX reader: the 128-byte header, run-length encoded scan lines, planes combined into pixels.
#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"

#include <cstring>
#include <vector>

namespace imagelib {

namespace {

constexpr size_t kHeaderSize = 128;
constexpr size_t kPaletteTail = 769; // the 12 marker and 256 x (red, green, blue)

bool fail(CodecError &error, const char *text)
{
    error.text = text;
    return false;
}

// The sixteen colours of an EGA card, for 4-bit files that leave their header palette empty.
constexpr uint8_t kEgaColours[16][3] = {
    {0, 0, 0},     {0, 0, 170},     {0, 170, 0},    {0, 170, 170},   {170, 0, 0},   {170, 0, 170},
    {170, 85, 0},  {170, 170, 170}, {85, 85, 85},   {85, 85, 255},   {85, 255, 85}, {85, 255, 255},
    {255, 85, 85}, {255, 85, 255},  {255, 255, 85}, {255, 255, 255},
};

} // namespace

bool DecodePcx(const uint8_t *data, size_t size, CDib &dib, CodecError &error)
{
    dib.Clear();
    if (size < kHeaderSize)
        return fail(error, "truncated PCX header");
    const uint8_t *h = data;
    if (h[0] != 10 || h[2] != 1)
        return fail(error, "not a PCX file");
    const int bitsPerPlane = h[3];
    const int xmin = Le16(h + 4), ymin = Le16(h + 6), xmax = Le16(h + 8), ymax = Le16(h + 10);
    const int planes = h[65];
    const size_t bytesPerLine = Le16(h + 66);
    if (xmax < xmin || ymax < ymin)
        return fail(error, "bad PCX window");
    const int depth = planes * bitsPerPlane;
    if (depth != 1 && depth != 4 && depth != 8 && depth != 24)
        return fail(error, "unsupported PCX depth");
    // Layouts the depths allow: n one-bit planes make an n-bit index; one plane of 4 or 8 bits
    // is already packed; three 8-bit planes are red, green and blue.
    const bool bitPlanes = bitsPerPlane == 1;
    const bool packed = planes == 1;
    const bool rgb = bitsPerPlane == 8 && planes == 3;
    if (!bitPlanes && !packed && !rgb)
        return fail(error, "unsupported PCX plane layout");

    const int width = xmax - xmin + 1;
    const int height = ymax - ymin + 1;
    if (bytesPerLine < (static_cast<size_t>(width) * bitsPerPlane + 7) / 8)
        return fail(error, "PCX line too short for its width");

    std::string why;
    if (!dib.Create(width, height, depth, &why, false)) {
        error.text = why;
        return false;
    }

    // Palette.
    std::vector<RgbQuad> &palette = dib.Palette();
    if (depth == 8) {
        if (size >= kHeaderSize + kPaletteTail && data[size - kPaletteTail] == 12) {
            const uint8_t *p = data + size - kPaletteTail + 1;
            for (int i = 0; i < 256; ++i, p += 3)
                palette[i] = RgbQuad{p[2], p[1], p[0], 0};
        } else { // no palette: a grey picture
            for (int i = 0; i < 256; ++i)
                palette[i] = RgbQuad{uint8_t(i), uint8_t(i), uint8_t(i), 0};
        }
    } else if (depth == 4 || depth == 1) {
        const uint8_t *map = h + 16;
        bool empty = true;
        for (int i = 0; i < 3 * (1 << depth); ++i)
            empty = empty && map[i] == 0;
        for (int i = 0; i < (1 << depth); ++i) {
            if (!empty)
                palette[i] = RgbQuad{map[3 * i + 2], map[3 * i + 1], map[3 * i], 0};
            else if (depth == 4)
                palette[i] = RgbQuad{kEgaColours[i][2], kEgaColours[i][1], kEgaColours[i][0], 0};
            else
                palette[i] = i ? RgbQuad{255, 255, 255, 0} : RgbQuad{};
        }
    }

    // Scan lines: planes x bytesPerLine decoded bytes each. A run may carry over into the next
    // line, so the run state lives outside the line loop.
    const size_t lineBytes = bytesPerLine * static_cast<size_t>(planes);
    std::vector<uint8_t> line(lineBytes);
    const uint8_t *p = data + kHeaderSize;
    const uint8_t *end = data + size;
    unsigned runLeft = 0;
    uint8_t runValue = 0;
    for (int y = 0; y < height; ++y) {
        uint8_t *dst = line.data();
        uint8_t *const lineEnd = dst + lineBytes;
        if (runLeft) {
            const size_t n = std::min<size_t>(runLeft, lineBytes);
            std::memset(dst, runValue, n);
            dst += n;
            runLeft -= static_cast<unsigned>(n);
        }
        while (dst < lineEnd) {
            if (p == end) {
                dib.Clear();
                return fail(error, "truncated PCX data");
            }
            const uint8_t b = *p++;
            if (b < 0xC0) {
                *dst++ = b;
                continue;
            }
            if (p == end) {
                dib.Clear();
                return fail(error, "truncated PCX data");
            }
            const uint8_t v = *p++;
            unsigned n = b & 0x3Fu;
            const size_t room = static_cast<size_t>(lineEnd - dst);
            if (n > room) { // the rest of the run belongs to the next line
                runLeft = n - static_cast<unsigned>(room);
                runValue = v;
                n = static_cast<unsigned>(room);
            }
            for (unsigned i = 0; i < n; ++i)
                dst[i] = v;
            dst += n;
        }

        uint8_t *row = dib.RowFromTop(y);
        const size_t stride = dib.Stride();
        if (packed) {
            const size_t n = std::min(bytesPerLine, stride);
            std::memcpy(row, line.data(), n);
            std::memset(row + n, 0, stride - n);
        } else if (rgb) {
            const uint8_t *r = line.data();
            const uint8_t *g = r + bytesPerLine;
            const uint8_t *b = g + bytesPerLine;
            uint8_t *dst = row;
            for (int x = 0; x < width; ++x) {
                dst[0] = b[x];
                dst[1] = g[x];
                dst[2] = r[x];
                dst += 3;
            }
            std::memset(dst, 0, stride - static_cast<size_t>(width) * 3);
        } else {
            // n one-bit planes: plane k holds bit k of every pixel's index.
            std::memset(row, 0, stride);
            for (int x = 0; x < width; ++x) {
                unsigned index = 0;
                const size_t byte = static_cast<size_t>(x) >> 3;
                const int shift = 7 - (x & 7);
                for (int k = 0; k < planes; ++k)
                    index |= ((line[k * bytesPerLine + byte] >> shift) & 1u) << k;
                if (depth == 4)
                    row[x >> 1] |= static_cast<uint8_t>((x & 1) ? index : index << 4);
                else if (depth == 8)
                    row[x] = static_cast<uint8_t>(index);
                else
                    row[byte] |= static_cast<uint8_t>(index << shift);
            }
        }
    }
    return true;
}

} // namespace imagelib
