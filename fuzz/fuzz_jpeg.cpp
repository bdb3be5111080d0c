// Fuzz target: the JPEG reader, and the writer over small pictures it reads.
#include "fuzz_imagelib.h"

#include "imagelib/ImageCodecs.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzImageLimits();
    CDib dib;
    imagelib::CodecError error;
    const bool ok = imagelib::DecodeJpeg(data, size, dib, error);
    if (!ok)
        return 0;
    volatile uint32_t sum = FuzzChecksum(dib);
    (void)sum;
    if (dib.Width() * dib.Height() <= 256 * 256) {
        std::string out;
        imagelib::EncodeJpeg(dib, out, error);
    }
    return 0;
}
