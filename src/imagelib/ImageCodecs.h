#pragma once

#include "imagelib/CDib.h"

#include <cstddef>
#include <cstdint>
#include <string>

// The readers and writers behind CBmp. Every reader takes a whole file held in memory, checks
// each length against the bytes it has, and either fills dib or leaves it empty and says why.
namespace imagelib {

// Why a reader or writer failed. When tellUser is set the text is meant for a message box with
// the given title (empty: the application's title); other texts are for callers and logs.
struct CodecError
{
    std::string text;
    bool tellUser = false;
    std::string title;
};

// Windows bitmap file ("BM" file header, then a DIB): 1, 4, 8, 16, 24 and 32 bits, RLE4, RLE8,
// bit fields, OS/2 and V4/V5 headers, top-down rows. 16-bit pictures other than 5-5-5 and
// 32-bit ones with unusual masks become 24 and 32 bits of blue, green, red.
bool DecodeBmp(const uint8_t *data, size_t size, CDib &dib, CodecError &error);
// A packed DIB as a resource holds it: the info header, the colour table and the rows.
bool DecodePackedDib(const uint8_t *data, size_t size, CDib &dib, CodecError &error);

// PCX: 1, 4 (four 1-bit planes or one 4-bit plane), 8 and 24 (three 8-bit planes) bits.
bool DecodePcx(const uint8_t *data, size_t size, CDib &dib, CodecError &error);

// GIF: the first image, placed on the logical screen (filled with the background, or with the
// transparent index when there is one). transparentIndex is -1 unless a graphic control
// extension before the image marks one.
bool DecodeGif(const uint8_t *data, size_t size, CDib &dib, CodecError &error,
               int &transparentIndex);

// TGA: types 1, 2, 3, 9, 10, 11; 8-bit colour-mapped or grey, 15, 16, 24 or 32-bit true colour.
bool DecodeTga(const uint8_t *data, size_t size, CDib &dib, CodecError &error);

// JPEG through libjpeg: colour (and CMYK) pictures become 24 bits, grey ones 24 bits of grey.
bool DecodeJpeg(const uint8_t *data, size_t size, CDib &dib, CodecError &error);

// PNG through libpng: 16-bit samples reduced to 8; grey and palette pictures keep their depth
// (2 bits widened to 4), colour 24 bits, colour or grey with alpha 32 bits.
bool DecodePng(const uint8_t *data, size_t size, CDib &dib, CodecError &error);

// TIFF through libtiff: any variant libtiff can turn into RGBA, as 24 bits.
bool DecodeTiff(const uint8_t *data, size_t size, CDib &dib, CodecError &error);

// Writers into a byte string. BMP keeps 1, 4, 8, 16 and 24 bits and writes 32 as 24.
bool EncodeBmp(const CDib &dib, std::string &out, CodecError &error);
// PCX at 1, 4 (four planes), 8 or 24 bits (three planes); 16 and 32 bits are written as 24.
bool EncodePcx(const CDib &dib, std::string &out, CodecError &error);
// Baseline JPEG at quality 100, RGB input, the library's defaults otherwise.
bool EncodeJpeg(const CDib &dib, std::string &out, CodecError &error);

} // namespace imagelib
