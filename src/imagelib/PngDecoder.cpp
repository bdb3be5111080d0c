// PNG reading through libpng. libpng reports errors by longjmp; the functions that call setjmp
// keep their state in a context owned by the caller, so nothing with a destructor is skipped.
#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"

#include <csetjmp>
#include <cstring>
#include <vector>

#include <png.h>

namespace imagelib {

namespace {

constexpr const char *kNotPng = "This is not a valid PNG File!";
constexpr const char *kTooBig = "Sorry!\nThis File is toooo big for me.";
// Interlaced pictures are read whole; taller ones are refused.
constexpr png_uint_32 kMaxInterlacedRows = 10000;

struct PngContext
{
    png_structp png = nullptr;
    png_infop info = nullptr;
    const uint8_t *data = nullptr;
    size_t size = 0;
    size_t at = 0;
    // the picture as libpng will deliver it
    png_uint_32 width = 0, height = 0;
    int bitDepth = 0, colourType = 0, interlace = 0;
    int outBits = 0;     // the picture's bit count
    bool widen2 = false; // 2-bit samples, delivered as they are and widened to 4 bits here
    std::vector<RgbQuad> palette;
    std::vector<png_bytep> *rows = nullptr;
};

void readBytes(png_structp png, png_bytep out, size_t length)
{
    auto *ctx = static_cast<PngContext *>(png_get_io_ptr(png));
    if (ctx->size - ctx->at < length)
        png_error(png, "read past the end of the data");
    std::memcpy(out, ctx->data + ctx->at, length);
    ctx->at += length;
}

void onError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

enum class Step { Failed, Ok, TooBig };

// libpng allocates a chunk's buffer from its length field before it reads the data, so a
// length that runs past the end of the file is refused here, before libpng sees it.
bool chunksFitTheData(const uint8_t *data, size_t size)
{
    size_t at = 8;
    while (size - at >= 12) {
        const uint32_t length = (uint32_t(data[at]) << 24) | (uint32_t(data[at + 1]) << 16) |
                                (uint32_t(data[at + 2]) << 8) | data[at + 3];
        if (length > size - at - 12) // length, type and CRC are 12 bytes
            return false;
        if (std::memcmp(data + at + 4, "IEND", 4) == 0)
            return true;
        at += 12 + static_cast<size_t>(length);
    }
    return true;
}

// Signature, header and transformations; fills in what the picture will look like.
Step readHeader(PngContext *ctx)
{
    if (setjmp(png_jmpbuf(ctx->png)))
        return Step::Failed;
    png_structp png = ctx->png;
    png_infop info = ctx->info;
    png_set_read_fn(png, ctx, readBytes);
    const ImageLimits limits = GetImageLimits();
    png_set_user_limits(png, static_cast<png_uint_32>(limits.maxDimension),
                        static_cast<png_uint_32>(limits.maxDimension));
    png_set_chunk_malloc_max(png, limits.maxBytes);
    png_read_info(png, info);
    png_get_IHDR(png, info, &ctx->width, &ctx->height, &ctx->bitDepth, &ctx->colourType,
                 &ctx->interlace, nullptr, nullptr);
    if (ctx->interlace != PNG_INTERLACE_NONE && ctx->height > kMaxInterlacedRows)
        return Step::TooBig;

    const int depth = ctx->bitDepth;
    if (depth == 16)
        png_set_strip_16(png);
    switch (ctx->colourType) {
    case PNG_COLOR_TYPE_PALETTE: {
        ctx->outBits = depth == 2 ? 4 : depth;
        ctx->widen2 = depth == 2;
        ctx->palette.assign(size_t(1) << ctx->outBits, RgbQuad{});
        png_colorp entries = nullptr;
        int count = 0;
        if (png_get_PLTE(png, info, &entries, &count)) {
            for (int i = 0; i < count && static_cast<size_t>(i) < ctx->palette.size(); ++i)
                ctx->palette[static_cast<size_t>(i)] =
                    RgbQuad{entries[i].blue, entries[i].green, entries[i].red, 0};
        }
        break;
    }
    case PNG_COLOR_TYPE_GRAY: {
        const int bits = depth == 16 ? 8 : depth;
        ctx->outBits = bits == 2 ? 4 : bits;
        ctx->widen2 = bits == 2;
        ctx->palette.assign(size_t(1) << ctx->outBits, RgbQuad{});
        // the grey ramp spans black to white at every depth: entry i is i * 255 / (2^bits - 1)
        const unsigned top = (1u << bits) - 1;
        for (unsigned i = 0; i <= top; ++i) {
            const uint8_t v = static_cast<uint8_t>(i * 255 / top);
            ctx->palette[i] = RgbQuad{v, v, v, 0};
        }
        break;
    }
    case PNG_COLOR_TYPE_RGB:
        png_set_bgr(png);
        ctx->outBits = 24;
        break;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        png_set_bgr(png);
        ctx->outBits = 32;
        break;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        // grey and alpha as blue, green, red, alpha: 32 bits like colour with alpha
        png_set_gray_to_rgb(png);
        png_set_bgr(png);
        ctx->outBits = 32;
        break;
    default:
        png_error(png, "bad colour type");
    }
    if (ctx->interlace != PNG_INTERLACE_NONE)
        png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return Step::Ok;
}

Step readRows(PngContext *ctx)
{
    if (setjmp(png_jmpbuf(ctx->png)))
        return Step::Failed;
    png_read_image(ctx->png, ctx->rows->data());
    return Step::Ok;
}

} // namespace

bool DecodePng(const uint8_t *data, size_t size, CDib &dib, CodecError &error)
{
    dib.Clear();
    PngContext ctx;
    ctx.data = data;
    ctx.size = size;
    ctx.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onError, onWarning);
    if (ctx.png)
        ctx.info = png_create_info_struct(ctx.png);
    if (!ctx.png || !ctx.info) {
        png_destroy_read_struct(&ctx.png, &ctx.info, nullptr);
        error.text = "Can't allocate memory";
        return false;
    }
    struct Cleanup
    {
        PngContext &ctx;
        ~Cleanup() { png_destroy_read_struct(&ctx.png, &ctx.info, nullptr); }
    } cleanup{ctx};

    if (size < 8 || png_sig_cmp(data, 0, 8) != 0 || !chunksFitTheData(data, size)) {
        error.text = kNotPng;
        return false;
    }
    const Step header = readHeader(&ctx);
    if (header != Step::Ok) {
        error.text = header == Step::TooBig ? kTooBig : kNotPng;
        return false;
    }

    std::string why;
    if (!dib.Create(static_cast<int>(ctx.width), static_cast<int>(ctx.height), ctx.outBits, &why,
                    !ctx.widen2)) {
        error.text = why;
        return false;
    }
    if (ctx.outBits <= 8)
        dib.Palette() = ctx.palette;

    // 2-bit rows go to a buffer of their own and are widened below.
    const size_t rowBytes = png_get_rowbytes(ctx.png, ctx.info);
    std::vector<uint8_t> packed2;
    std::vector<png_bytep> rows(ctx.height);
    try {
        if (ctx.widen2)
            packed2.resize(rowBytes * ctx.height);
    } catch (const std::bad_alloc &) {
        dib.Clear();
        error.text = "Can't allocate memory";
        return false;
    }
    if (!ctx.widen2 && rowBytes > dib.Stride()) {
        dib.Clear();
        error.text = kNotPng;
        return false;
    }
    for (png_uint_32 y = 0; y < ctx.height; ++y)
        rows[y] = ctx.widen2 ? packed2.data() + rowBytes * y : dib.RowFromTop(static_cast<int>(y));
    ctx.rows = &rows;
    if (readRows(&ctx) != Step::Ok) {
        dib.Clear();
        error.text = kNotPng;
        return false;
    }
    if (ctx.widen2) {
        const int w = dib.Width();
        for (png_uint_32 y = 0; y < ctx.height; ++y) {
            const uint8_t *in = rows[y];
            uint8_t *out = dib.RowFromTop(static_cast<int>(y));
            std::memset(out, 0, dib.Stride());
            for (int x = 0; x < w; ++x) {
                const unsigned v = (in[x >> 2] >> (6 - 2 * (x & 3))) & 3;
                out[x >> 1] |= static_cast<uint8_t>((x & 1) ? v : v << 4);
            }
        }
    }
    return true;
}

} // namespace imagelib
