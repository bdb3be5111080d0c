// GIF reader: the first image of the file, LZW-decoded, de-interlaced and placed on the logical
// screen.
#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"

#include <cstring>
#include <vector>

namespace imagelib {

namespace {

bool fail(CodecError &error, const char *text)
{
    error.text = text;
    return false;
}

struct Cursor
{
    const uint8_t *p;
    const uint8_t *end;
    size_t left() const { return static_cast<size_t>(end - p); }
};

// Skips a chain of data sub-blocks up to and including the zero-length terminator.
bool skipSubBlocks(Cursor &c)
{
    for (;;) {
        if (!c.left())
            return false;
        const size_t n = *c.p++;
        if (!n)
            return true;
        if (c.left() < n)
            return false;
        c.p += n;
    }
}

// LZW decoding of the image data into 'out' (count indices). Stops at the end code, at the end
// of the data or at a code that cannot occur; indices never written stay as they were.
void decodeLzw(const uint8_t *data, size_t size, int minCodeSize, uint8_t *out, size_t count)
{
    constexpr int kMaxCodes = 4096;
    uint16_t prefix[kMaxCodes];
    uint8_t suffix[kMaxCodes];
    uint8_t first[kMaxCodes];
    uint16_t length[kMaxCodes];

    const unsigned clear = 1u << minCodeSize;
    const unsigned endCode = clear + 1;
    for (unsigned i = 0; i < clear; ++i) {
        prefix[i] = 0;
        suffix[i] = first[i] = static_cast<uint8_t>(i);
        length[i] = 1;
    }
    unsigned next = clear + 2;
    int codeSize = minCodeSize + 1;
    unsigned codeMask = (1u << codeSize) - 1;
    int prev = -1;

    uint64_t bits = 0;
    int bitCount = 0;
    size_t in = 0;
    size_t pos = 0;

    while (pos < count) {
        if (bitCount < codeSize) {
            // refill whole bytes while there is room in the 64-bit buffer
            while (bitCount <= 56 && in < size) {
                bits |= static_cast<uint64_t>(data[in++]) << bitCount;
                bitCount += 8;
            }
            if (bitCount < codeSize)
                return;
        }
        const unsigned code = static_cast<unsigned>(bits) & codeMask;
        bits >>= codeSize;
        bitCount -= codeSize;

        if (code == clear) {
            next = clear + 2;
            codeSize = minCodeSize + 1;
            codeMask = (1u << codeSize) - 1;
            prev = -1;
            continue;
        }
        if (code == endCode)
            return;
        if (prev < 0) {
            if (code >= clear)
                return;
            out[pos++] = static_cast<uint8_t>(code);
            prev = static_cast<int>(code);
            continue;
        }
        if (code > next || (code == next && next >= kMaxCodes))
            return;
        if (next < kMaxCodes) {
            // the new string is prev's string plus the first index of code's string; when code
            // is the one being defined (KwKwK), that first index is prev's own
            const uint8_t c = code == next ? first[prev] : first[code];
            prefix[next] = static_cast<uint16_t>(prev);
            suffix[next] = c;
            first[next] = first[prev];
            length[next] = static_cast<uint16_t>(length[prev] + 1);
            ++next;
            if (next >= (1u << codeSize) && codeSize < 12) {
                ++codeSize;
                codeMask = (1u << codeSize) - 1;
            }
        }
        // write code's string backwards from its last index, clipped to the picture
        const size_t n = length[code];
        unsigned cc = code;
        if (pos + n <= count) {
            uint8_t *dst = out + pos + n;
            while (dst != out + pos) {
                *--dst = suffix[cc];
                cc = prefix[cc];
            }
            pos += n;
        } else {
            for (size_t i = n; i-- > 0;) {
                if (pos + i < count)
                    out[pos + i] = suffix[cc];
                cc = prefix[cc];
            }
            pos = count;
        }
        prev = static_cast<int>(code);
    }
}

} // namespace

bool DecodeGif(const uint8_t *data, size_t size, CDib &dib, CodecError &error,
               int &transparentIndex)
{
    dib.Clear();
    transparentIndex = -1;
    if (size < 13 || std::memcmp(data, "GIF8", 4) != 0)
        return fail(error, "not a GIF file");
    int screenWidth = Le16(data + 6);
    int screenHeight = Le16(data + 8);
    const uint8_t screenFlags = data[10];
    const uint8_t background = data[11];
    const size_t globalEntries = size_t(2) << (screenFlags & 7);
    Cursor c{data + 13, data + size};

    const uint8_t *globalTable = nullptr;
    if (screenFlags & 0x80) {
        if (c.left() < 3 * globalEntries)
            return fail(error, "truncated colour table");
        globalTable = c.p;
        c.p += 3 * globalEntries;
    }

    int gceTransparent = -1;
    for (;;) {
        if (!c.left())
            return fail(error, "no image in the GIF file");
        const uint8_t block = *c.p++;
        if (block == 0x3B)
            return fail(error, "no image in the GIF file");
        if (block == 0x21) {
            if (!c.left())
                return fail(error, "truncated extension");
            const uint8_t label = *c.p++;
            if (label == 0xF9 && c.left() >= 5 && c.p[0] >= 4) {
                // graphic control: size, flags (disposal in bits 2-4, transparency in bit 0),
                // delay, transparent index
                const uint8_t flags = c.p[1];
                gceTransparent = (flags & 1) ? c.p[4] : -1;
            }
            if (!skipSubBlocks(c))
                return fail(error, "truncated extension");
            continue;
        }
        if (block != 0x2C)
            return fail(error, "bad block in the GIF file");
        break;
    }

    // Image descriptor.
    if (c.left() < 9)
        return fail(error, "truncated image descriptor");
    const int left = Le16(c.p), top = Le16(c.p + 2);
    const int frameWidth = Le16(c.p + 4), frameHeight = Le16(c.p + 6);
    const uint8_t imageFlags = c.p[8];
    c.p += 9;
    const uint8_t *table = globalTable;
    size_t entries = globalEntries;
    if (imageFlags & 0x80) {
        entries = size_t(2) << (imageFlags & 7);
        if (c.left() < 3 * entries)
            return fail(error, "truncated colour table");
        table = c.p;
        c.p += 3 * entries;
    }
    if (!c.left())
        return fail(error, "truncated image data");
    const int minCodeSize = *c.p++;
    if (minCodeSize < 1 || minCodeSize > 8)
        return fail(error, "bad LZW code size");

    // The image data sub-blocks joined into one run of bytes; a missing terminator is taken as
    // the end of the file.
    std::vector<uint8_t> lzw;
    lzw.reserve(c.left());
    while (c.left()) {
        const size_t n = *c.p++;
        if (!n)
            break;
        const size_t take = std::min(n, c.left());
        lzw.insert(lzw.end(), c.p, c.p + take);
        c.p += take;
    }

    if (screenWidth == 0 || screenHeight == 0) {
        screenWidth = frameWidth;
        screenHeight = frameHeight;
    }
    if (frameWidth == 0 || frameHeight == 0 || screenWidth == 0 || screenHeight == 0)
        return fail(error, "empty GIF image");

    const int bitCount = entries == 2 ? 1 : entries <= 16 ? 4 : 8;
    const uint8_t fill = gceTransparent >= 0 ? static_cast<uint8_t>(gceTransparent) : background;

    // Decode the frame into one index per pixel, rows in the order they are stored.
    const size_t frameCount = static_cast<size_t>(frameWidth) * static_cast<size_t>(frameHeight);
    const ImageLimits limits = GetImageLimits();
    if (frameCount > limits.maxBytes || frameWidth > limits.maxDimension ||
        frameHeight > limits.maxDimension)
        return fail(error, "picture too large");
    std::vector<uint8_t> indices;
    try {
        indices.assign(frameCount, fill);
    } catch (const std::bad_alloc &) {
        return fail(error, "Can't allocate memory");
    }
    decodeLzw(lzw.data(), lzw.size(), minCodeSize, indices.data(), frameCount);

    // Interlaced frames store rows 0, 8, 16...; 4, 12...; 2, 6...; 1, 3...
    std::vector<int> frameRow(static_cast<size_t>(frameHeight));
    if (imageFlags & 0x40) {
        static constexpr int kStart[4] = {0, 4, 2, 1};
        static constexpr int kStep[4] = {8, 8, 4, 2};
        size_t stored = 0;
        for (int pass = 0; pass < 4; ++pass)
            for (int y = kStart[pass]; y < frameHeight; y += kStep[pass])
                frameRow[stored++] = y;
    } else {
        for (int y = 0; y < frameHeight; ++y)
            frameRow[static_cast<size_t>(y)] = y;
    }

    // Indices beyond what the bit count can hold (a small table with a larger code size) need
    // 8 bits; the table entries past its end are black.
    int outBits = bitCount;
    if (bitCount < 8) {
        for (uint8_t v : indices) {
            if (v >> bitCount) {
                outBits = 8;
                break;
            }
        }
        if (fill >> bitCount)
            outBits = 8;
    }

    std::string why;
    if (!dib.Create(screenWidth, screenHeight, outBits, &why, false)) {
        error.text = why;
        return false;
    }
    std::vector<RgbQuad> &palette = dib.Palette();
    for (size_t i = 0; i < palette.size(); ++i) {
        if (table) {
            if (i < entries)
                palette[i] = RgbQuad{table[3 * i + 2], table[3 * i + 1], table[3 * i], 0};
            else
                palette[i] = RgbQuad{};
        } else if (i < (size_t(1) << bitCount)) {
            // no colour table: a grey ramp
            const unsigned step = bitCount == 1 ? 255 : bitCount == 4 ? 16 : 1;
            const uint8_t v = static_cast<uint8_t>(i * step);
            palette[i] = RgbQuad{v, v, v, 0};
        } else {
            palette[i] = RgbQuad{};
        }
    }

    // Place the frame on the screen; what it leaves uncovered gets the fill index.
    const bool covers =
        left == 0 && top == 0 && frameWidth == screenWidth && frameHeight == screenHeight;
    std::vector<uint8_t> canvasRow;
    if (!covers)
        canvasRow.resize(static_cast<size_t>(screenWidth));
    std::vector<const uint8_t *> rowSource(static_cast<size_t>(screenHeight), nullptr);
    for (int stored = 0; stored < frameHeight; ++stored) {
        const int y = top + frameRow[static_cast<size_t>(stored)];
        if (y < screenHeight)
            rowSource[static_cast<size_t>(y)] =
                indices.data() + static_cast<size_t>(stored) * static_cast<size_t>(frameWidth);
    }
    const int visibleFrom = std::min(left, screenWidth);
    const int visibleTo = std::min(left + frameWidth, screenWidth);
    for (int y = 0; y < screenHeight; ++y) {
        const uint8_t *src = rowSource[static_cast<size_t>(y)];
        if (!covers) {
            std::memset(canvasRow.data(), fill, canvasRow.size());
            if (src && visibleTo > visibleFrom)
                std::memcpy(canvasRow.data() + visibleFrom, src,
                            static_cast<size_t>(visibleTo - visibleFrom));
            src = canvasRow.data();
        }
        uint8_t *row = dib.RowFromTop(y);
        std::memset(row, 0, dib.Stride());
        if (outBits == 8) {
            std::memcpy(row, src, static_cast<size_t>(screenWidth));
        } else if (outBits == 4) {
            for (int x = 0; x + 1 < screenWidth; x += 2)
                row[x >> 1] = static_cast<uint8_t>((src[x] << 4) | src[x + 1]);
            if (screenWidth & 1)
                row[screenWidth >> 1] = static_cast<uint8_t>(src[screenWidth - 1] << 4);
        } else {
            for (int x = 0; x < screenWidth; ++x)
                row[x >> 3] |= static_cast<uint8_t>(src[x] << (7 - (x & 7)));
        }
    }
    transparentIndex = gceTransparent;
    return true;
}

} // namespace imagelib
