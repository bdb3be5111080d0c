#pragma once

#include <cstddef>
#include <functional>
#include <string>

// What the image library needs from the program around it, set once by the UI (or a test):
// where messages go, where the program's own pictures come from, the screen size written into
// PCX headers, and the limits that protect against hostile files. The core never shows a dialog
// itself; without a reporter its messages are dropped.
namespace imagelib {

// A message for the user. An empty title means the application's own title.
using ErrorReporter = std::function<void(const std::string &title, const std::string &text)>;
void SetErrorReporter(ErrorReporter reporter);
void ReportError(const std::string &title, const std::string &text);

// The kinds of picture resources a program carries: "P" is a PCX file, "B4" a plain bitmap and
// "B8" a 256-colour bitmap with its palette. Bitmaps are a BMP file or a packed DIB (info
// header, colour table, rows) as a Windows resource holds it.
enum class PictureResource { Pcx, Bitmap, Bitmap256 };

// Supplies the bytes of the program's embedded pictures by name. The UI registers one; the
// provider must outlive its registration.
class CPictureProvider
{
public:
    virtual ~CPictureProvider() = default;
    // The picture NAME of the kind given; false when the program has no such picture.
    virtual bool GetPicture(const std::string &name, PictureResource kind, std::string &bytes) = 0;
};
void SetPictureProvider(CPictureProvider *provider); // null unregisters
CPictureProvider *PictureProvider();

// The screen's size in pixels, written into PCX headers as resolution and screen size.
// Defaults to 1024 x 768 until the UI sets it.
void SetScreenSize(int width, int height);
int ScreenWidth();
int ScreenHeight();

// Limits for every decoder: no side may exceed maxDimension pixels, no picture's rows and no
// input file may exceed maxBytes, and a picture has at most maxBytes / 4 pixels (so that its
// 32-bit copy for the screen fits as well). Defaults: 65536 pixels and 1 GiB.
struct ImageLimits
{
    int maxDimension = 65536;
    size_t maxBytes = size_t(1) << 30;
};
void SetImageLimits(const ImageLimits &limits);
ImageLimits GetImageLimits();

} // namespace imagelib
