// Windows bitmap writer: file header, 40-byte info header, colour table, rows bottom-up.
#include "imagelib/ImageBytes.h"
#include "imagelib/ImageCodecs.h"

#include <cstring>

namespace imagelib {

bool EncodeBmp(const CDib &dib, std::string &out, CodecError &error)
{
    out.clear();
    if (dib.IsEmpty()) {
        error.text = "no picture";
        return false;
    }
    // 1, 4, 8, 16 and 24 bits stay; more than 16 is written as 24
    const int bits = dib.BitCount() > 16 ? 24 : dib.BitCount();
    const size_t stride = CDib::StrideFor(dib.Width(), bits);
    const size_t imageSize = stride * static_cast<size_t>(dib.Height());
    const size_t tableSize = bits <= 8 ? (size_t(4) << bits) : 0;
    const size_t offset = 14 + 40 + tableSize;
    if (offset + imageSize > 0xFFFFFFFFu) {
        error.text = "picture too large for a bitmap file";
        return false;
    }
    try {
        out.resize(offset + imageSize);
    } catch (const std::bad_alloc &) {
        error.text = "Can't allocate memory";
        return false;
    }
    auto *p = reinterpret_cast<uint8_t *>(out.data());
    std::memset(p, 0, offset);
    p[0] = 'B';
    p[1] = 'M';
    PutLe32(p + 2, static_cast<uint32_t>(out.size()));
    PutLe32(p + 10, static_cast<uint32_t>(offset));
    uint8_t *info = p + 14;
    PutLe32(info, 40);
    PutLe32(info + 4, static_cast<uint32_t>(dib.Width()));
    PutLe32(info + 8, static_cast<uint32_t>(dib.Height()));
    PutLe16(info + 12, 1);
    PutLe16(info + 14, static_cast<unsigned>(bits));
    PutLe32(info + 20, static_cast<uint32_t>(imageSize));
    uint8_t *table = info + 40;
    if (bits <= 8) {
        for (size_t i = 0; i < (size_t(1) << bits); ++i) {
            const RgbQuad c = i < dib.Palette().size() ? dib.Palette()[i] : RgbQuad{};
            table[4 * i] = c.blue;
            table[4 * i + 1] = c.green;
            table[4 * i + 2] = c.red;
        }
    }
    uint8_t *rows = p + offset;
    if (bits == dib.BitCount()) {
        std::memcpy(rows, dib.Bits(), imageSize);
    } else { // 32 to 24 bits
        for (int y = 0; y < dib.Height(); ++y) {
            const uint8_t *in = dib.Row(y);
            uint8_t *o = rows + stride * static_cast<size_t>(y);
            std::memset(o, 0, stride);
            for (int x = 0; x < dib.Width(); ++x, in += 4, o += 3) {
                o[0] = in[0];
                o[1] = in[1];
                o[2] = in[2];
            }
        }
    }
    return true;
}

} // namespace imagelib
