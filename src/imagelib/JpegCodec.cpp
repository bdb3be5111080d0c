// JPEG reading and writing through libjpeg. libjpeg reports fatal errors by calling error_exit,
// which must not return; ours jumps back to the entry point instead of ending the process. The
// functions that call setjmp hold no C++ objects of their own: everything that must survive the
// jump lives in a context owned by the caller.
#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>
// after jpeglib.h, which it needs
#include <jerror.h>

#ifndef JCS_EXTENSIONS
#error "libjpeg-turbo's extended colour spaces (JCS_EXT_BGR) are needed"
#endif

namespace imagelib {

namespace {

struct ErrorManager
{
    jpeg_error_mgr pub;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onFatalError(j_common_ptr cinfo)
{
    auto *err = reinterpret_cast<ErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (corrupt data the library recovers from) are not worth a message.
void onMessage(j_common_ptr, int) {}

void initErrors(ErrorManager &err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = onFatalError;
    err.pub.emit_message = onMessage;
    err.message[0] = '\0';
}

enum class Step { Failed, Ok, TooLarge, NoMemory };

struct DecodeContext
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    const uint8_t *data;
    size_t size;
    CDib *dib;
    std::vector<uint8_t> *scratch;
    std::string why;
};

bool allocate(DecodeContext &ctx)
{
    const JDIMENSION w = ctx.cinfo.output_width, h = ctx.cinfo.output_height;
    const ImageLimits limits = GetImageLimits();
    if (w > static_cast<JDIMENSION>(limits.maxDimension) ||
        h > static_cast<JDIMENSION>(limits.maxDimension))
        return false;
    return ctx.dib->Create(static_cast<int>(w), static_cast<int>(h), 24, &ctx.why, false);
}

// The library part of the decoding. Colour and grey pictures come out as blue, green, red
// straight into the rows (top-down); CMYK pictures go through a scratch row.
Step runDecode(DecodeContext *ctx)
{
    jpeg_decompress_struct &cinfo = ctx->cinfo;
    if (setjmp(ctx->err.jump))
        return Step::Failed;
    jpeg_mem_src(&cinfo, ctx->data, static_cast<unsigned long>(ctx->size));
    jpeg_read_header(&cinfo, TRUE);
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
    jpeg_calc_output_dimensions(&cinfo);
    const ImageLimits limits = GetImageLimits();
    if (cinfo.output_width > static_cast<JDIMENSION>(limits.maxDimension) ||
        cinfo.output_height > static_cast<JDIMENSION>(limits.maxDimension) ||
        static_cast<uint64_t>(cinfo.output_width) * cinfo.output_height * 3 > limits.maxBytes)
        return Step::TooLarge;
    // progressive pictures keep all their coefficients; keep that inside the limits too
    cinfo.mem->max_memory_to_use = static_cast<long>(std::min<uint64_t>(
        2 * static_cast<uint64_t>(limits.maxBytes) + (64u << 20), 0x7fffffffffffffffull));
    jpeg_start_decompress(&cinfo);
    if (!allocate(*ctx))
        return ctx->why == "Can't allocate memory" ? Step::NoMemory : Step::TooLarge;
    if (cmyk)
        ctx->scratch->resize(static_cast<size_t>(cinfo.output_width) * 4);
    while (cinfo.output_scanline < cinfo.output_height) {
        uint8_t *row = ctx->dib->RowFromTop(static_cast<int>(cinfo.output_scanline));
        JSAMPROW target = cmyk ? ctx->scratch->data() : row;
        jpeg_read_scanlines(&cinfo, &target, 1);
        if (cmyk) {
            // Adobe writes CMYK inverted (255 = no ink), which is what almost every CMYK
            // JPEG holds; red = C * K / 255 in those terms.
            const uint8_t *s = ctx->scratch->data();
            for (JDIMENSION x = 0; x < cinfo.output_width; ++x, s += 4, row += 3) {
                row[0] = static_cast<uint8_t>((s[2] * s[3] + 127) / 255);
                row[1] = static_cast<uint8_t>((s[1] * s[3] + 127) / 255);
                row[2] = static_cast<uint8_t>((s[0] * s[3] + 127) / 255);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    return Step::Ok;
}

// Compressed data goes to the caller's string 64 KB at a time.
struct StringDestination
{
    jpeg_destination_mgr pub;
    std::string *out;
    uint8_t buffer[64 * 1024];
};

// Appends n bytes of the buffer; false when memory ran out (the string is unchanged then).
bool appendOutput(StringDestination *dest, size_t n)
{
    try {
        dest->out->append(reinterpret_cast<const char *>(dest->buffer), n);
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

void initDestination(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<StringDestination *>(cinfo->dest);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = sizeof dest->buffer;
}

boolean emptyOutputBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<StringDestination *>(cinfo->dest);
    if (!appendOutput(dest, sizeof dest->buffer))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
    dest->pub.next_output_byte = dest->buffer;
    dest->pub.free_in_buffer = sizeof dest->buffer;
    return TRUE;
}

void termDestination(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<StringDestination *>(cinfo->dest);
    if (!appendOutput(dest, sizeof dest->buffer - dest->pub.free_in_buffer))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
}

struct EncodeContext
{
    jpeg_compress_struct cinfo;
    ErrorManager err;
    const CDib *dib;
    std::vector<uint8_t> *scratch;
    StringDestination *dest;
};

Step runEncode(EncodeContext *ctx)
{
    jpeg_compress_struct &cinfo = ctx->cinfo;
    if (setjmp(ctx->err.jump))
        return Step::Failed;
    const CDib &dib = *ctx->dib;
    ctx->dest->pub.init_destination = initDestination;
    ctx->dest->pub.empty_output_buffer = emptyOutputBuffer;
    ctx->dest->pub.term_destination = termDestination;
    cinfo.dest = &ctx->dest->pub;
    cinfo.image_width = static_cast<JDIMENSION>(dib.Width());
    cinfo.image_height = static_cast<JDIMENSION>(dib.Height());
    cinfo.input_components = dib.BitCount() == 32 ? 4 : 3;
    // The rows hold blue, green, red; libjpeg-turbo takes that order as it is, so no copy is
    // needed for 24 and 32-bit pictures.
    cinfo.in_color_space = dib.BitCount() == 32 ? JCS_EXT_BGRX : JCS_EXT_BGR;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const bool direct = dib.BitCount() == 24 || dib.BitCount() == 32;
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = static_cast<int>(cinfo.next_scanline);
        JSAMPROW row;
        if (direct) {
            row = const_cast<JSAMPROW>(dib.RowFromTop(y));
        } else {
            uint8_t *out = ctx->scratch->data();
            for (int x = 0; x < dib.Width(); ++x) {
                const RgbQuad c = dib.PixelColour(x, y);
                *out++ = c.blue;
                *out++ = c.green;
                *out++ = c.red;
            }
            row = ctx->scratch->data();
        }
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    return Step::Ok;
}

} // namespace

bool DecodeJpeg(const uint8_t *data, size_t size, CDib &dib, CodecError &error)
{
    dib.Clear();
    std::vector<uint8_t> scratch;
    DecodeContext ctx{};
    ctx.data = data;
    ctx.size = size;
    ctx.dib = &dib;
    ctx.scratch = &scratch;
    ctx.cinfo.err = &ctx.err.pub;
    initErrors(ctx.err);
    jpeg_create_decompress(&ctx.cinfo);
    const Step step = runDecode(&ctx);
    jpeg_destroy_decompress(&ctx.cinfo);
    if (step == Step::Ok)
        return true;
    dib.Clear();
    switch (step) {
    case Step::NoMemory:
        error.text = "JPG out of memory";
        error.tellUser = true;
        error.title.clear();
        break;
    case Step::TooLarge:
        error.text = "picture too large";
        break;
    default:
        error.text = ctx.err.message;
        error.tellUser = true;
        error.title = "JPG Fatal Error";
        break;
    }
    return false;
}

bool EncodeJpeg(const CDib &dib, std::string &out, CodecError &error)
{
    out.clear();
    if (dib.IsEmpty()) {
        error.text = "no picture";
        return false;
    }
    std::vector<uint8_t> scratch(static_cast<size_t>(dib.Width()) * 3);
    auto dest = std::make_unique<StringDestination>();
    dest->out = &out;
    EncodeContext ctx{};
    ctx.dib = &dib;
    ctx.scratch = &scratch;
    ctx.dest = dest.get();
    ctx.cinfo.err = &ctx.err.pub;
    initErrors(ctx.err);
    jpeg_create_compress(&ctx.cinfo);
    const Step step = runEncode(&ctx);
    jpeg_destroy_compress(&ctx.cinfo);
    if (step == Step::Ok)
        return true;
    out.clear();
    error.text = ctx.err.message;
    error.tellUser = true;
    error.title = "JPG Fatal Error";
    return false;
}

} // namespace imagelib
