#pragma once

#include "imagelib/CDib.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <png.h>

// Helpers of the image library tests: files as bytes, PPM references and PNG references read
// with libpng itself.
// What a test does when its public image suite is absent: skips with the message, or fails when
// the build requires the suites (PELION_REQUIRE_TEST_SUITES).
#if PELION_SUITES_REQUIRED
#define PELION_SUITE_ABSENT(message) FAIL() << (message)
#else
#define PELION_SUITE_ABSENT(message) GTEST_SKIP() << (message)
#endif

namespace imagetest {

inline std::string dataDir()
{
    return std::string(PELION_TEST_DATA_DIR) + "/imagelib/";
}

inline std::string sharedDir()
{
    return std::string(PELION_SHARED_TESTDATA_DIR) + "/";
}

inline std::string readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline bool writeBytes(const std::string &path, const std::string &bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

struct Rgba
{
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // r, g, b, a from the top row
};

// A binary PPM ("P6", maxval 255) as opaque RGBA.
inline Rgba readPpm(const std::string &path)
{
    Rgba out;
    const std::string data = readBytes(path);
    int w = 0, h = 0, maxval = 0, consumed = 0;
    if (std::sscanf(data.c_str(), "P6 %d %d %d%n", &w, &h, &maxval, &consumed) != 3 ||
        maxval != 255)
        return out;
    const size_t at = static_cast<size_t>(consumed) + 1;
    if (data.size() < at + static_cast<size_t>(w) * h * 3)
        return out;
    out.width = w;
    out.height = h;
    for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i) {
        out.pixels.push_back(static_cast<uint8_t>(data[at + 3 * i]));
        out.pixels.push_back(static_cast<uint8_t>(data[at + 3 * i + 1]));
        out.pixels.push_back(static_cast<uint8_t>(data[at + 3 * i + 2]));
        out.pixels.push_back(255);
    }
    return out;
}

// A PNG decoded by libpng to 8-bit RGBA (the GIF suite's reference frames).
inline Rgba readPngRgba(const std::string &path)
{
    Rgba out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        return out;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) {
        png_image_free(&image);
        return out;
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels = std::move(buffer);
    return out;
}

// Pixels of a picture that differ from a reference in colour, looking only where the
// reference is opaque (alpha 255). Returns a description of the first few, empty when equal.
inline std::string compareOpaque(const CDib &dib, const Rgba &reference)
{
    if (dib.Width() != reference.width || dib.Height() != reference.height)
        return "size " + std::to_string(dib.Width()) + "x" + std::to_string(dib.Height()) +
               ", expected " + std::to_string(reference.width) + "x" +
               std::to_string(reference.height);
    const std::vector<uint8_t> got = dib.ToRgba();
    std::string report;
    int differences = 0;
    for (int y = 0; y < reference.height; ++y) {
        for (int x = 0; x < reference.width; ++x) {
            const size_t i = (static_cast<size_t>(y) * reference.width + x) * 4;
            if (reference.pixels[i + 3] != 255)
                continue;
            if (got[i] == reference.pixels[i] && got[i + 1] == reference.pixels[i + 1] &&
                got[i + 2] == reference.pixels[i + 2])
                continue;
            if (++differences <= 3) {
                char line[160];
                std::snprintf(line, sizeof line, " (%d,%d) got %d,%d,%d expected %d,%d,%d;", x, y,
                              got[i], got[i + 1], got[i + 2], reference.pixels[i],
                              reference.pixels[i + 1], reference.pixels[i + 2]);
                report += line;
            }
        }
    }
    if (differences)
        report = std::to_string(differences) + " pixels differ:" + report;
    return report;
}

} // namespace imagetest
