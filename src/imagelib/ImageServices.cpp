#include "imagelib/ImageServices.h"

#include <algorithm>

namespace imagelib {

namespace {
struct Services
{
    ErrorReporter reporter;
    CPictureProvider *provider = nullptr;
    int screenWidth = 1024;
    int screenHeight = 768;
    ImageLimits limits;
};

Services &services()
{
    static Services s;
    return s;
}
} // namespace

void SetErrorReporter(ErrorReporter reporter)
{
    services().reporter = std::move(reporter);
}

void ReportError(const std::string &title, const std::string &text)
{
    if (services().reporter)
        services().reporter(title, text);
}

void SetPictureProvider(CPictureProvider *provider)
{
    services().provider = provider;
}

CPictureProvider *PictureProvider()
{
    return services().provider;
}

void SetScreenSize(int width, int height)
{
    // PCX stores them in 16-bit fields
    services().screenWidth = std::clamp(width, 0, 65535);
    services().screenHeight = std::clamp(height, 0, 65535);
}

int ScreenWidth()
{
    return services().screenWidth;
}

int ScreenHeight()
{
    return services().screenHeight;
}

void SetImageLimits(const ImageLimits &limits)
{
    services().limits = limits;
}

ImageLimits GetImageLimits()
{
    return services().limits;
}

} // namespace imagelib
