// Fuzz target: the PNG reader.
#include "fuzz_imagelib.h"

#include "imagelib/ImageCodecs.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzImageLimits();
    CDib dib;
    imagelib::CodecError error;
    const bool ok = imagelib::DecodePng(data, size, dib, error);
    if (!ok)
        return 0;
    volatile uint32_t sum = FuzzChecksum(dib);
    (void)sum;
    return 0;
}
