// The installation data the program and its pages rely on: the default template, the preview
// template and the recording template, as installed in the program folder.
#include "../support/TempDir.h"
#include "pagetext/CHtmlText.h"
#include "pagetext/PageExtensions.h"
#include "util/FileUtil.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

const std::string kBin = std::string(PELION_SOURCE_DIR) + "/data/Bin/";

std::string ReadData(const std::string &name)
{
    std::string text;
    EXPECT_TRUE(ReadTextFile(kBin + name, text)) << name;
    return text;
}

size_t Count(const std::string &text, const std::string &what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(InstallData, DefaultTemplateHasThePlacesNewPagesAndExtensionsNeed)
{
    const std::string text = ReadData("default.htt");
    const size_t copy = text.find(kCopyMarker);
    ASSERT_NE(copy, std::string::npos);
    const std::string page = text.substr(0, copy);
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_NE(page.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_EQ(Count(page, "<TITLE></TITLE>"), 1u);
    // The title step searches the whole template text: its tags must come first.
    EXPECT_EQ(text.find("<TITLE>"), page.find("<TITLE>"));
    EXPECT_EQ(text.find("</TITLE>"), page.find("</TITLE>"));
    EXPECT_EQ(Count(page, "</head>"), 1u);
    EXPECT_EQ(Count(page, "<body>"), 1u);
    EXPECT_EQ(page.substr(page.size() - 8), "</html>\n");
    EXPECT_FALSE(IsExtendedPageText(page));
}

TEST(InstallData, ANewPageFromTheDefaultTemplateEndsBeforeItsNotes)
{
    std::string text = ReadData("default.htt");
    CHtmlText html(text);
    html.rangeStart = html.Find("<TITLE>", 0) + 7;
    html.rangeEnd = html.Find("</TITLE>", 0) - 1;
    ASSERT_TRUE(html.ReplaceRange("My title"));
    TempDir dir;
    const std::string path = dir.file("index.html");
    ASSERT_TRUE(html.SaveToFile(path));
    ASSERT_TRUE(AddExtensions(path));

    std::string page;
    ASSERT_TRUE(ReadTextFile(path, page));
    EXPECT_NE(page.find("<TITLE>My title</TITLE>"), std::string::npos);
    EXPECT_EQ(page.find("$(Copy"), std::string::npos);
    EXPECT_EQ(page.find("Notes"), std::string::npos);
    EXPECT_NE(page.find("<!-- #End \"qxlib\" -->\r\n</head>"), std::string::npos);
    EXPECT_NE(page.find("<body><!-- #Begin \"Moveable\" -->"), std::string::npos);
    EXPECT_TRUE(IsExtendedPageText(page));
}

TEST(InstallData, PreviewTemplateHoldsOneImageDefAndTheLibrary)
{
    const std::string text = ReadData("Preview.htm");
    EXPECT_EQ(Count(text, "$(ImageDef)"), 1u);
    // The preview is written beside the library, so rollovers and players work in it.
    EXPECT_TRUE(IsExtendedPageText(text));
    EXPECT_NE(text.find("HREF=\"qxlib.css\""), std::string::npos);
    EXPECT_NE(text.find("initClassMoveable();"), std::string::npos);
    EXPECT_EQ(text.find("$(Copy"), std::string::npos);
}

std::uint32_t Le32(const std::string &b, size_t at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

std::uint16_t Le16(const std::string &b, size_t at)
{
    std::uint16_t v = 0;
    std::memcpy(&v, b.data() + at, 2);
    return v;
}

TEST(InstallData, RecordingTemplateIsAShortSilentPcmWave)
{
    std::string wav;
    ASSERT_TRUE(util::ReadFile(kBin + "Template.wav", wav));
    ASSERT_GE(wav.size(), 44u);
    EXPECT_EQ(wav.substr(0, 4), "RIFF");
    EXPECT_EQ(Le32(wav, 4), wav.size() - 8);
    EXPECT_EQ(wav.substr(8, 4), "WAVE");
    EXPECT_EQ(wav.substr(12, 4), "fmt ");
    ASSERT_EQ(Le32(wav, 16), 16u);
    EXPECT_EQ(Le16(wav, 20), 1); // PCM
    const unsigned channels = Le16(wav, 22);
    const std::uint32_t rate = Le32(wav, 24);
    const unsigned bits = Le16(wav, 34);
    EXPECT_EQ(channels, 1u);
    EXPECT_EQ(bits, 16u);
    EXPECT_EQ(Le32(wav, 28), rate * channels * bits / 8); // byte rate
    EXPECT_EQ(Le16(wav, 32), channels * bits / 8);        // block align
    EXPECT_EQ(wav.substr(36, 4), "data");
    const std::uint32_t size = Le32(wav, 40);
    ASSERT_EQ(size, wav.size() - 44);
    const double seconds = double(size) / (rate * channels * bits / 8);
    EXPECT_GT(seconds, 0.05);
    EXPECT_LT(seconds, 2.0);
    EXPECT_EQ(wav.find_first_not_of('\0', 44), std::string::npos); // silence
}

} // namespace
