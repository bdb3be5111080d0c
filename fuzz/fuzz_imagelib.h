#pragma once

// Shared by the image reader fuzz targets: limits small enough that a hostile header cannot make
// a run slow or exhaust memory, and a checksum that reads every byte of the rows and palette a
// reader hands back, so that a picture smaller than it claims to be shows under ASan.
#include "imagelib/CDib.h"
#include "imagelib/ImageServices.h"

#include <cstdint>

inline void FuzzImageLimits()
{
    static const bool set = [] {
        imagelib::ImageLimits limits;
        limits.maxDimension = 8192;
        limits.maxBytes = 16u << 20;
        imagelib::SetImageLimits(limits);
        return true;
    }();
    (void)set;
}

inline uint32_t FuzzChecksum(const CDib &dib)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < dib.ImageSize(); ++i)
        sum = sum * 31 + dib.Bits()[i];
    for (const RgbQuad &c : dib.Palette())
        sum += c.red + c.green + c.blue;
    return sum;
}
