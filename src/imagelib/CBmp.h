#pragma once

#include "imagelib/CDib.h"

#include <cstdint>
#include <string>

// A picture loaded from an image file (or made by the program) with its colour table and an
// optional transparent colour. Load picks the reader by the file name's extension alone, never
// by the content: BMP/DIB, PCX, TIF/TIFF, TGA, JPG/JPEG, GIF, PNG, and the program's own
// pictures "NAME.P", "NAME.B4" and "NAME.B8" (ImageServices.h). SaveAs writes BMP, PCX and
// JPG/JPEG. Colours (transparent colour) are 0x00BBGGRR, red in the low byte.
class CBmp
{
public:
    struct Info
    {
        int width = 0;
        int height = 0;
        int bitsPerPixel = 0;
    };

    // Releases the current picture, then loads the file. On failure the object stays empty and
    // LastError() says why.
    bool Load(const std::string &path);
    // Width and height in pixels; false when empty.
    bool GetSize(int &width, int &height) const;
    // Width, height and bits per pixel of the held picture; all 0 when empty.
    Info GetInfo() const;
    // Releases this picture and duplicates the source's picture, colour table and transparency.
    void Copy(const CBmp &source);
    void Release();

    void SetTransparent(bool transparent) { m_transparent = transparent; }
    void SetTransparentColour(uint32_t colour) { m_transparentColour = colour; }
    bool IsTransparent() const { return m_transparent; }
    uint32_t TransparentColour() const { return m_transparentColour; }

    // Writes the picture as BMP, PCX or JPG/JPEG by the extension (any case); anything else
    // writes nothing. The file is replaced all at once, so a failed save leaves no half file.
    bool SaveAs(const std::string &path) const;
    // Writes the picture as a JPEG file whatever the name's extension (a name chosen by the
    // user may have none). Replaced all at once like SaveAs.
    bool SaveAsJpeg(const std::string &path) const;

    // Takes a picture made by the program (the rendered clipboard picture, a test image).
    void SetDib(CDib dib);
    const CDib &Dib() const { return m_dib; }
    bool IsEmpty() const { return m_dib.IsEmpty(); }

    // Why the last Load or SaveAs failed; empty after a success.
    const std::string &LastError() const { return m_lastError; }

private:
    enum class Writer { Bmp, Pcx, Jpeg };
    bool Write(const std::string &path, Writer writer) const;

    CDib m_dib;
    bool m_transparent = false;
    uint32_t m_transparentColour = 0;
    mutable std::string m_lastError;
};
