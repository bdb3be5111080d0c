#include "imagelib/CDib.h"

#include "imagelib/ImageServices.h"

#include <cstring>
#include <new>

CDib::CDib(const CDib &other)
{
    *this = other;
}

CDib &CDib::operator=(const CDib &other)
{
    if (this == &other)
        return *this;
    Clear();
    if (!other.IsEmpty()) {
        const size_t bytes = other.ImageSize();
        m_bits = std::make_unique_for_overwrite<uint8_t[]>(bytes);
        std::memcpy(m_bits.get(), other.m_bits.get(), bytes);
        m_width = other.m_width;
        m_height = other.m_height;
        m_bitCount = other.m_bitCount;
        m_stride = other.m_stride;
        m_palette = other.m_palette;
    }
    return *this;
}

size_t CDib::StrideFor(int width, int bitCount)
{
    if (width <= 0 || bitCount <= 0 || bitCount > 32)
        return 0;
    // bits rounded up to whole 32-bit words; width <= INT_MAX keeps this inside 64 bits
    const uint64_t bits = static_cast<uint64_t>(width) * static_cast<uint64_t>(bitCount);
    return static_cast<size_t>((bits + 31) / 32 * 4);
}

bool CDib::Create(int width, int height, int bitCount, std::string *error, bool zeroRows)
{
    Clear();
    const auto fail = [error](const char *why) {
        if (error)
            *error = why;
        return false;
    };
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 &&
        bitCount != 32)
        return fail("unsupported bit count");
    const imagelib::ImageLimits limits = imagelib::GetImageLimits();
    if (width <= 0 || height <= 0)
        return fail("empty picture");
    if (width > limits.maxDimension || height > limits.maxDimension)
        return fail("picture too large");
    const size_t stride = StrideFor(width, bitCount);
    // width and height are at most maxDimension (an int), so the product fits in 64 bits
    const uint64_t bytes = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
    // the UI shows pictures as 32 bits a pixel; that copy must stay inside the limit too
    const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (bytes > limits.maxBytes || pixels > limits.maxBytes / 4)
        return fail("picture too large");
    try {
        m_bits = zeroRows ? std::make_unique<uint8_t[]>(bytes)
                          : std::make_unique_for_overwrite<uint8_t[]>(bytes);
        if (bitCount <= 8)
            m_palette.assign(size_t(1) << bitCount, RgbQuad{});
    } catch (const std::bad_alloc &) {
        Clear();
        return fail("Can't allocate memory");
    }
    m_width = width;
    m_height = height;
    m_bitCount = bitCount;
    m_stride = stride;
    return true;
}

void CDib::Clear()
{
    m_bits.reset();
    m_palette.clear();
    m_width = m_height = m_bitCount = 0;
    m_stride = 0;
}

RgbQuad CDib::PixelColour(int x, int y) const
{
    const uint8_t *row = RowFromTop(y);
    switch (m_bitCount) {
    case 1:
        return m_palette[(row[x >> 3] >> (7 - (x & 7))) & 1];
    case 4:
        return m_palette[(row[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
    case 8:
        return m_palette[row[x]];
    case 16: {
        const unsigned v = row[2 * x] | (row[2 * x + 1] << 8);
        // 5 bits widened to 8 by repeating the top bits, so 31 becomes 255
        const auto widen = [](unsigned c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); };
        return RgbQuad{widen(v & 31), widen((v >> 5) & 31), widen((v >> 10) & 31), 0};
    }
    case 24:
        return RgbQuad{row[3 * x], row[3 * x + 1], row[3 * x + 2], 0};
    case 32:
        return RgbQuad{row[4 * x], row[4 * x + 1], row[4 * x + 2], 0};
    default:
        return RgbQuad{};
    }
}

std::vector<uint8_t> CDib::ToRgba() const
{
    std::vector<uint8_t> out(static_cast<size_t>(m_width) * static_cast<size_t>(m_height) * 4);
    uint8_t *p = out.data();
    for (int y = 0; y < m_height; ++y) {
        for (int x = 0; x < m_width; ++x) {
            const RgbQuad c = PixelColour(x, y);
            *p++ = c.red;
            *p++ = c.green;
            *p++ = c.blue;
            *p++ = 255;
        }
    }
    return out;
}
