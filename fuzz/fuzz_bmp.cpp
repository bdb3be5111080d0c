// Fuzz target: the BMP reader (files and packed DIBs), and the writers over what it reads.
#include "fuzz_imagelib.h"

#include "imagelib/ImageCodecs.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzImageLimits();
    CDib dib;
    imagelib::CodecError error;
    const bool ok = imagelib::DecodePackedDib(data, size, dib, error);
    if (!ok)
        return 0;
    volatile uint32_t sum = FuzzChecksum(dib);
    (void)sum;
    std::string out;
    imagelib::EncodeBmp(dib, out, error);
    imagelib::EncodePcx(dib, out, error);
    return 0;
}
