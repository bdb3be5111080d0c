// Fuzz target: the GIF reader.
#include "fuzz_imagelib.h"

#include "imagelib/ImageCodecs.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzImageLimits();
    CDib dib;
    imagelib::CodecError error;
    int transparent = -1;
    const bool ok = imagelib::DecodeGif(data, size, dib, error, transparent);
    if (!ok)
        return 0;
    volatile uint32_t sum = FuzzChecksum(dib);
    (void)sum;
    return 0;
}
