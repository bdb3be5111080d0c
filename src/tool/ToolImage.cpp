// pelion-tool image info|convert: describe pictures and convert them to BMP, PCX or JPEG.
#include "tool/ToolCommand.h"

#include "imagelib/CBmp.h"
#include "imagelib/ImageServices.h"
#include "util/StringUtil.h"

#include <iostream>

static int imageInfo(const std::vector<std::string> &files)
{
    int status = 0;
    for (const std::string &file : files) {
        CBmp bmp;
        if (!bmp.Load(file)) {
            ToolError(file + ": cannot read: " + bmp.LastError());
            status = 1;
            continue;
        }
        const CBmp::Info info = bmp.GetInfo();
        std::cout << file << ": " << info.width << " x " << info.height << ", " << info.bitsPerPixel
                  << " bits per pixel";
        if (bmp.IsTransparent()) {
            const uint32_t c = bmp.TransparentColour();
            std::cout << util::Format(", transparent colour #%02X%02X%02X", c & 0xFF,
                                      (c >> 8) & 0xFF, (c >> 16) & 0xFF);
        }
        std::cout << '\n';
    }
    return status;
}

static int imageConvert(const std::string &in, const std::string &out)
{
    CBmp bmp;
    if (!bmp.Load(in)) {
        ToolError(in + ": cannot read: " + bmp.LastError());
        return 1;
    }
    if (!bmp.SaveAs(out)) {
        ToolError(out + ": cannot write: " + bmp.LastError());
        return 1;
    }
    return 0;
}

static int runImage(const std::vector<std::string> &args)
{
    // The library's message-box texts (JPEG errors) become lines on stderr here.
    imagelib::SetErrorReporter([](const std::string &title, const std::string &text) {
        std::string line = title.empty() ? text : title + ": " + text;
        while (!line.empty() && line.back() == '\n')
            line.pop_back();
        for (char &c : line)
            if (c == '\n')
                c = ' ';
        ToolError(line);
    });
    if (args.size() >= 2 && args[0] == "info")
        return imageInfo(std::vector<std::string>(args.begin() + 1, args.end()));
    if (args.size() == 3 && args[0] == "convert")
        return imageConvert(args[1], args[2]);
    ToolError("usage: pelion-tool image info FILE...\n"
              "       pelion-tool image convert IN OUT   (OUT ending .bmp, .pcx, .jpg or .jpeg)");
    return 2;
}

PELION_TOOL_COMMAND(
    "image",
    "  image info FILE...     width, height, bits per pixel and transparent colour\n"
    "                         of pictures (exit 1 when one cannot be read)\n"
    "  image convert IN OUT   read any picture, write BMP, PCX or JPEG by OUT's\n"
    "                         extension",
    runImage);
