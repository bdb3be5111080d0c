#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One colour-table entry in the order a device-independent bitmap stores it.
struct RgbQuad
{
    uint8_t blue = 0;
    uint8_t green = 0;
    uint8_t red = 0;
    uint8_t reserved = 0;

    bool operator==(const RgbQuad &) const = default;
};

// A device-independent picture: width x height pixels of 1, 4, 8, 16 (5-5-5), 24 (blue, green,
// red) or 32 (blue, green, red, unused/alpha) bits, a colour table of 2^bits entries for bit
// counts up to 8, and the rows bottom-up, each padded to a multiple of 4 bytes. This is what
// every decoder produces and every writer consumes. Row(0) is the bottom row.
class CDib
{
public:
    CDib() = default;
    CDib(const CDib &other);
    CDib &operator=(const CDib &other);
    CDib(CDib &&) noexcept = default;
    CDib &operator=(CDib &&) noexcept = default;

    // Allocates a picture; the rows are zero when zeroRows is set and undefined otherwise (a
    // decoder that writes every byte saves clearing them). Refuses sizes beyond the image limits
    // (ImageServices.h) and reports why in error ("Can't allocate memory" when memory runs out).
    bool Create(int width, int height, int bitCount, std::string *error = nullptr,
                bool zeroRows = true);
    void Clear();

    bool IsEmpty() const { return !m_bits; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int BitCount() const { return m_bitCount; }
    size_t Stride() const { return m_stride; }
    size_t ImageSize() const { return m_stride * static_cast<size_t>(m_height); }

    uint8_t *Bits() { return m_bits.get(); }
    const uint8_t *Bits() const { return m_bits.get(); }
    uint8_t *Row(int fromBottom)
    {
        return m_bits.get() + m_stride * static_cast<size_t>(fromBottom);
    }
    const uint8_t *Row(int fromBottom) const
    {
        return m_bits.get() + m_stride * static_cast<size_t>(fromBottom);
    }
    uint8_t *RowFromTop(int y) { return Row(m_height - 1 - y); }
    const uint8_t *RowFromTop(int y) const { return Row(m_height - 1 - y); }

    // 2^bits entries for bit counts up to 8, empty otherwise.
    std::vector<RgbQuad> &Palette() { return m_palette; }
    const std::vector<RgbQuad> &Palette() const { return m_palette; }

    // The colour of one pixel (x from the left, y from the top); the reserved byte is 0.
    RgbQuad PixelColour(int x, int y) const;
    // The whole picture as red, green, blue, alpha bytes, rows from the top; alpha is 255.
    std::vector<uint8_t> ToRgba() const;

    // Bytes per padded row for a width and bit count; 0 when it would overflow.
    static size_t StrideFor(int width, int bitCount);

private:
    int m_width = 0;
    int m_height = 0;
    int m_bitCount = 0;
    size_t m_stride = 0;
    std::unique_ptr<uint8_t[]> m_bits;
    std::vector<RgbQuad> m_palette;
};
