// Windows bitmap reader: a file header and a DIB, or a packed DIB alone.
#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"

#include <bit>
#include <cstring>

namespace imagelib {

namespace {

enum Compression : uint32_t {
    BiRgb = 0,
    BiRle8 = 1,
    BiRle4 = 2,
    BiBitfields = 3,
    BiAlphaBitfields = 6,
};

bool fail(CodecError &error, const char *text)
{
    error.text = text;
    return false;
}

// One channel of a bit-field pixel: where it sits and how wide it is.
struct Channel
{
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Channel(uint32_t m = 0)
        : mask(m)
    {
        if (m) {
            shift = std::countr_zero(m);
            bits = std::countr_one(m >> shift);
        }
    }
    uint8_t operator()(uint32_t pixel) const
    {
        if (!bits)
            return 0;
        const uint32_t v = (pixel & mask) >> shift & ((bits >= 32) ? ~0u : ((1u << bits) - 1));
        if (bits >= 8)
            return static_cast<uint8_t>(v >> (bits - 8));
        // fewer than 8 bits: repeat the bits downwards, so that all ones become 255
        uint32_t out = 0;
        for (int pos = 8 - bits; pos > -bits; pos -= bits)
            out |= pos >= 0 ? v << pos : v >> -pos;
        return static_cast<uint8_t>(out);
    }
};

// RLE8 and RLE4 runs into a zeroed picture. Pixels a run puts beyond the right edge are dropped;
// a delta or end of line that leaves the picture ends the decoding. Skipped pixels stay index 0.
void decodeRle(const uint8_t *p, const uint8_t *end, CDib &dib, bool rle4, bool topDown)
{
    const int width = dib.Width();
    const int height = dib.Height();
    int x = 0;
    int y = 0; // rows in file order
    const auto put = [&](unsigned index) {
        if (x < width) {
            uint8_t *row = topDown ? dib.RowFromTop(y) : dib.Row(y);
            if (rle4)
                row[x >> 1] |= static_cast<uint8_t>((x & 1) ? index & 15 : (index & 15) << 4);
            else
                row[x] = static_cast<uint8_t>(index);
        }
        ++x;
    };
    while (end - p >= 2 && y < height) {
        const unsigned count = p[0];
        const unsigned value = p[1];
        p += 2;
        if (count) {
            for (unsigned i = 0; i < count && x < width; ++i)
                put(rle4 ? ((i & 1) ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta
            if (end - p < 2)
                break;
            x += p[0];
            y += p[1];
            p += 2;
        } else { // absolute run of 'value' pixels, padded to a 16-bit boundary
            const size_t bytes = rle4 ? (value + 1) / 2 : value;
            const size_t padded = (bytes + 1) & ~size_t(1);
            if (static_cast<size_t>(end - p) < bytes)
                break;
            for (unsigned i = 0; i < value; ++i)
                put(rle4 ? ((i & 1) ? p[i / 2] & 15 : p[i / 2] >> 4) : p[i]);
            p += std::min(padded, static_cast<size_t>(end - p));
        }
    }
}

// A DIB whose info header starts at dib; pixelOffset is the offset of the rows from the start
// of the info header, or -1 when they follow the colour table.
bool decodeDib(const uint8_t *dib, size_t size, int64_t pixelOffset, CDib &out, CodecError &error)
{
    if (size < 12)
        return fail(error, "truncated bitmap header");
    const uint32_t headerSize = Le32(dib);
    if (headerSize < 12 || headerSize > size)
        return fail(error, "bad bitmap header size");

    int64_t width = 0;
    int64_t height = 0;
    unsigned bitCount = 0;
    uint32_t compression = BiRgb;
    uint32_t coloursUsed = 0;
    size_t entrySize = 4;
    uint32_t masks[4] = {};
    size_t tableStart = headerSize;

    if (headerSize == 12) { // OS/2 1.x core header
        width = Le16(dib + 4);
        height = Le16(dib + 6);
        bitCount = Le16(dib + 10);
        entrySize = 3;
    } else {
        if (headerSize < 16)
            return fail(error, "bad bitmap header size");
        // OS/2 2.x headers may stop after any field; the missing ones are zero.
        uint8_t header[124] = {};
        std::memcpy(header, dib, std::min<size_t>(headerSize, sizeof header));
        width = static_cast<int32_t>(Le32(header + 4));
        height = static_cast<int32_t>(Le32(header + 8));
        bitCount = Le16(header + 14);
        compression = Le32(header + 16);
        coloursUsed = Le32(header + 32);
        if (headerSize == 64 && (compression == 3 || compression == 4))
            return fail(error, "unsupported OS/2 bitmap compression");
        if (compression == BiBitfields || compression == BiAlphaBitfields) {
            const size_t count = compression == BiAlphaBitfields ? 4 : 3;
            if (headerSize >= 40 + 4 * count) {
                for (size_t i = 0; i < count; ++i)
                    masks[i] = Le32(header + 40 + 4 * i);
            } else {
                if (size < headerSize + 4 * count)
                    return fail(error, "truncated bit fields");
                for (size_t i = 0; i < count; ++i)
                    masks[i] = Le32(dib + headerSize + 4 * i);
                tableStart += 4 * count;
            }
            if (headerSize >= 56 && compression == BiBitfields)
                masks[3] = Le32(header + 52);
        }
    }

    bool topDown = false;
    if (height < 0) {
        topDown = true;
        height = -height;
    }
    if (width <= 0 || height <= 0)
        return fail(error, "bad bitmap size");
    if (width > INT32_MAX || height > INT32_MAX)
        return fail(error, "picture too large");

    switch (compression) {
    case BiRgb:
        if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
            bitCount != 32)
            return fail(error, "unsupported bit count");
        break;
    case BiRle8:
        if (bitCount != 8)
            return fail(error, "RLE8 needs 8 bits per pixel");
        break;
    case BiRle4:
        if (bitCount != 4)
            return fail(error, "RLE4 needs 4 bits per pixel");
        break;
    case BiBitfields:
    case BiAlphaBitfields:
        if (bitCount != 16 && bitCount != 32)
            return fail(error, "bit fields need 16 or 32 bits per pixel");
        break;
    default:
        return fail(error, "unsupported bitmap compression");
    }

    // Colour table: clrUsed entries (all 2^bits when 0), never more than the bit count can use.
    size_t tableEntries = 0;
    if (bitCount <= 8) {
        const size_t full = size_t(1) << bitCount;
        tableEntries = (coloursUsed == 0 || coloursUsed > full) ? full : coloursUsed;
    }
    size_t tableEnd = tableStart + tableEntries * entrySize;
    if (pixelOffset >= 0 && static_cast<uint64_t>(pixelOffset) < tableEnd &&
        static_cast<uint64_t>(pixelOffset) >= tableStart) {
        // A table cut short by the rows: take the entries that fit.
        tableEntries = (static_cast<size_t>(pixelOffset) - tableStart) / entrySize;
        tableEnd = tableStart + tableEntries * entrySize;
    }
    if (tableEnd > size)
        return fail(error, "truncated colour table");
    size_t rowsAt = tableEnd;
    if (pixelOffset >= 0 && static_cast<uint64_t>(pixelOffset) >= tableEnd) {
        if (static_cast<uint64_t>(pixelOffset) > size)
            return fail(error, "truncated pixel data");
        rowsAt = static_cast<size_t>(pixelOffset);
    }
    const uint8_t *rows = dib + rowsAt;
    const size_t available = size - rowsAt;

    const bool rle = compression == BiRle8 || compression == BiRle4;
    const bool bitfields = compression == BiBitfields || compression == BiAlphaBitfields;
    const bool plain555 =
        bitCount == 16 && masks[0] == 0x7C00 && masks[1] == 0x03E0 && masks[2] == 0x001F;
    const bool plain888 =
        bitCount == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 && masks[2] == 0xFF;
    const bool convert = bitfields && !plain555 && !plain888;
    const int outBits = convert && bitCount == 16 ? 24 : static_cast<int>(bitCount);

    const size_t srcStride = CDib::StrideFor(static_cast<int>(width), static_cast<int>(bitCount));
    if (!rle && (srcStride == 0 || available / srcStride < static_cast<uint64_t>(height)))
        return fail(error, "truncated pixel data");

    std::string why;
    if (!out.Create(static_cast<int>(width), static_cast<int>(height), outBits, &why, rle)) {
        error.text = why;
        return false;
    }
    for (size_t i = 0; i < tableEntries; ++i) {
        const uint8_t *e = dib + tableStart + i * entrySize;
        out.Palette()[i] = RgbQuad{e[0], e[1], e[2], 0};
    }

    const int h = static_cast<int>(height);
    if (rle) {
        decodeRle(rows, rows + available, out, compression == BiRle4, topDown);
    } else if (!convert) {
        if (!topDown) {
            std::memcpy(out.Bits(), rows, out.ImageSize());
        } else {
            for (int y = 0; y < h; ++y)
                std::memcpy(out.RowFromTop(y), rows + srcStride * static_cast<size_t>(y),
                            srcStride);
        }
    } else {
        const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
        const int w = static_cast<int>(width);
        for (int y = 0; y < h; ++y) {
            const uint8_t *src = rows + srcStride * static_cast<size_t>(y);
            uint8_t *dst = topDown ? out.RowFromTop(y) : out.Row(y);
            for (int x = 0; x < w; ++x) {
                const uint32_t px = bitCount == 16 ? Le16(src + 2 * x) : Le32(src + 4 * x);
                *dst++ = blue(px);
                *dst++ = green(px);
                *dst++ = red(px);
                if (outBits == 32)
                    *dst++ = alpha(px);
            }
        }
    }
    return true;
}

} // namespace

bool DecodeBmp(const uint8_t *data, size_t size, CDib &dib, CodecError &error)
{
    dib.Clear();
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M')
        return fail(error, "not a Windows bitmap file");
    const uint32_t offBits = Le32(data + 10);
    // Some writers leave the offset 0 or point it into the headers; the rows then follow the
    // colour table.
    const int64_t pixelOffset = offBits >= 14 + 12 ? static_cast<int64_t>(offBits) - 14 : -1;
    return decodeDib(data + 14, size - 14, pixelOffset, dib, error);
}

bool DecodePackedDib(const uint8_t *data, size_t size, CDib &dib, CodecError &error)
{
    dib.Clear();
    if (size >= 2 && data[0] == 'B' && data[1] == 'M')
        return DecodeBmp(data, size, dib, error);
    return decodeDib(data, size, -1, dib, error);
}

} // namespace imagelib
