// TIFF reading through libtiff, from memory: whatever libtiff's RGBA interface understands
// becomes a 24-bit picture.
#include "imagelib/ImageCodecs.h"
#include "imagelib/ImageServices.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include <tiffio.h>

namespace imagelib {

namespace {

struct MemoryFile
{
    const uint8_t *data;
    size_t size;
    uint64_t at;
    std::string lastError;
};

tmsize_t readProc(thandle_t handle, void *buffer, tmsize_t size)
{
    auto *f = static_cast<MemoryFile *>(handle);
    if (size <= 0 || f->at >= f->size)
        return 0;
    const size_t n = std::min<uint64_t>(static_cast<uint64_t>(size), f->size - f->at);
    std::memcpy(buffer, f->data + f->at, n);
    f->at += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t writeProc(thandle_t, void *, tmsize_t)
{
    return 0;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto *f = static_cast<MemoryFile *>(handle);
    uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = f->at;
    else if (whence == SEEK_END)
        base = f->size;
    // offsets are unsigned; a position past the end is allowed and reads nothing
    f->at = base + offset;
    return f->at;
}

int closeProc(thandle_t)
{
    return 0;
}

toff_t sizeProc(thandle_t handle)
{
    return static_cast<MemoryFile *>(handle)->size;
}

int mapProc(thandle_t, void **, toff_t *)
{
    return 0;
}

void unmapProc(thandle_t, void *, toff_t) {}

int onError(TIFF *, void *user, const char *module, const char *format, va_list args)
{
    auto *f = static_cast<MemoryFile *>(user);
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    f->lastError = module && *module ? std::string(module) + ": " + text : std::string(text);
    return 1;
}

int onWarning(TIFF *, void *, const char *, const char *, va_list)
{
    return 1;
}

} // namespace

bool DecodeTiff(const uint8_t *data, size_t size, CDib &dib, CodecError &error)
{
    dib.Clear();
    MemoryFile file{data, size, 0, {}};
    const ImageLimits limits = GetImageLimits();
    TIFFOpenOptions *options = TIFFOpenOptionsAlloc();
    if (!options) {
        error.text = "Can't allocate memory";
        return false;
    }
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, static_cast<tmsize_t>(limits.maxBytes));
    TIFFOpenOptionsSetErrorHandlerExtR(options, onError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, onWarning, &file);
    // "m": never map the data; the handle is our memory
    TIFF *tif = TIFFClientOpenExt("memory", "rm", &file, readProc, writeProc, seekProc, closeProc,
                                  sizeProc, mapProc, unmapProc, options);
    TIFFOpenOptionsFree(options);
    if (!tif) {
        error.text = file.lastError.empty() ? "not a TIFF file" : file.lastError;
        return false;
    }

    bool ok = false;
    uint32_t width = 0, height = 0;
    char message[1024] = "";
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    std::vector<uint32_t> raster;
    if (width == 0 || height == 0) {
        error.text = "empty TIFF picture";
    } else if (width > static_cast<uint32_t>(limits.maxDimension) ||
               height > static_cast<uint32_t>(limits.maxDimension) ||
               static_cast<uint64_t>(width) * height * 4 > limits.maxBytes) {
        error.text = "picture too large";
    } else if (!TIFFRGBAImageOK(tif, message)) {
        error.text = message;
    } else {
        try {
            raster.resize(static_cast<size_t>(width) * height);
            ok = true;
        } catch (const std::bad_alloc &) {
            error.text = "Can't allocate memory";
        }
    }
    // Rows come back bottom-up (as a DIB keeps them), each pixel R, G, B, A from the low byte.
    if (ok &&
        !TIFFReadRGBAImageOriented(tif, width, height, raster.data(), ORIENTATION_BOTLEFT, 0)) {
        ok = false;
        error.text = file.lastError.empty() ? "bad TIFF data" : file.lastError;
    }
    TIFFClose(tif);
    if (!ok)
        return false;

    std::string why;
    if (!dib.Create(static_cast<int>(width), static_cast<int>(height), 24, &why, false)) {
        error.text = why;
        return false;
    }
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t *in = raster.data() + static_cast<size_t>(y) * width;
        uint8_t *out = dib.Row(static_cast<int>(y));
        for (uint32_t x = 0; x < width; ++x, out += 3) {
            out[0] = static_cast<uint8_t>(TIFFGetB(in[x]));
            out[1] = static_cast<uint8_t>(TIFFGetG(in[x]));
            out[2] = static_cast<uint8_t>(TIFFGetR(in[x]));
        }
        std::memset(out, 0, dib.Stride() - static_cast<size_t>(width) * 3);
    }
    return true;
}

} // namespace imagelib
