#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The eleven properties of a page. Colours are 24-bit values with red in the low byte; the two
// choices are BackgroundStyle 0 fixed / 1 movable and PlaySound 0 continuously / 1 once.
struct PageProperties
{
    std::string title;
    std::string description;
    std::string keywords;
    std::string backgroundSound;
    int playSound = 0;
    std::string background;
    std::int32_t backgroundColour = 0xFFFFFF; // white
    int backgroundStyle = 0;
    std::int32_t linkColour = 0xFF0000;        // blue
    std::int32_t visitedLinkColour = 0xC0C0C0; // silver
    std::int32_t activeLinkColour = 0xFF8000;  // red 0, green 128, blue 255

    bool operator==(const PageProperties &) const = default;
};

// One bit per page property, for "which were found" and "which changed".
namespace pageprop {
inline constexpr unsigned Title = 1u << 0;
inline constexpr unsigned Description = 1u << 1;
inline constexpr unsigned Keywords = 1u << 2;
inline constexpr unsigned BackgroundSound = 1u << 3;
inline constexpr unsigned PlaySound = 1u << 4;
inline constexpr unsigned Background = 1u << 5;
inline constexpr unsigned BackgroundColour = 1u << 6;
inline constexpr unsigned BackgroundStyle = 1u << 7;
inline constexpr unsigned LinkColour = 1u << 8;
inline constexpr unsigned VisitedLinkColour = 1u << 9;
inline constexpr unsigned ActiveLinkColour = 1u << 10;
inline constexpr unsigned All = (1u << 11) - 1;
// What the page model writes (body attributes and the title) and what goes into the file's head.
inline constexpr unsigned BodyAttributes = Background | BackgroundColour | BackgroundStyle |
                                           LinkColour | VisitedLinkColour | ActiveLinkColour;
inline constexpr unsigned HeadTags = Description | Keywords | BackgroundSound | PlaySound;
} // namespace pageprop

// The bits of the properties whose values differ between a and b.
unsigned ChangedPageProperties(const PageProperties &a, const PageProperties &b);

// A colour attribute value read the way browsers read legacy colour attributes (bgcolor, link,
// ...): "#rgb", "#rrggbb", the named colours in any letter case, and the lenient forms of old
// pages ("ffffff" without the hash, stray characters counted as 0). Red lands in the low byte.
// Nothing for an empty value and "transparent", which browsers ignore as well.
std::optional<std::int32_t> ParseHtmlColour(std::string_view value);
// "#rrggbb" in lower case for a colour with red in the low byte.
std::string HtmlColourText(std::int32_t colour);

// One tag of a page as the scanner saw it. Positions are byte indexes into the scanned text:
// begin at "<", end just past ">". Names are lower case; values have their quotes taken off and
// character references decoded. valueBegin/valueEnd span the value as written, quotes included
// (both -1 for an attribute without a value); nameEnd is just past the name.
struct HtmlTagAttribute
{
    std::string name;
    std::string value;
    int nameEnd = -1;
    int valueBegin = -1;
    int valueEnd = -1;
};
struct HtmlTag
{
    int begin = -1;
    int end = -1;
    std::string name;
    std::vector<HtmlTagAttribute> attributes;

    const HtmlTagAttribute *Find(std::string_view name) const;
};

// The start tags of a text in order, names and attributes parsed as the HTML syntax has them
// (any letter case, double, single or no quotes). Comments are skipped, and so is the content of
// script, style, textarea and title elements. An unterminated tag at the end is dropped.
std::vector<HtmlTag> ScanHtmlTags(std::string_view text);

// Text with character references decoded (&amp; &lt; &gt; &quot; &apos; &nbsp; and numeric ones);
// anything else is kept as written.
std::string DecodeHtmlText(std::string_view text);
// A value to put between double quotes: "&" and double quotes written as references.
std::string EncodeHtmlAttribute(std::string_view value);

// Reads the properties a page text states into props, and returns the bits of those it found:
// the title (white space collapsed as a browser shows it), the description and keywords meta
// tags (http-equiv or name), the background sound tag with its loop, and the body's background,
// bgproperties and colours. Not found: the title, description, keywords and background sound
// become empty; the others keep their values. A colour that does not parse is not found.
unsigned ReadPagePropertiesFromText(std::string_view text, PageProperties &props);

// The tags the page properties writer puts into a head when the page has none.
std::string KeywordsTag(std::string_view keywords); // <meta content="..." http-equiv=keywords>
std::string DescriptionTag(std::string_view description); // ... http-equiv=description>
std::string BackgroundSoundTag(std::string_view source, bool loop);

// Writes the head tags among changed (pageprop bits) into a page text: the page's own meta tag of
// the description or keywords (http-equiv or name, any case) gets its content replaced and keeps
// the rest of its text; a page without one gets the program's tag before the head's end. The
// background sound tag is replaced by (or added as) BackgroundSoundTag; an empty sound removes
// it. Only the first tag of each kind is touched. True when the text changed.
bool PatchPageHead(std::string &text, const PageProperties &props, unsigned changed);

// A chosen file as the page should name it: relative to pageFolder when the file lies in it or
// below ("images/Logo.GIF", letter case kept, "/" between folders), else the full path. The
// folders compare exactly: on this system a name in another letter case is another file.
std::string PageRelativeReference(const std::string &pageFolder, const std::string &file);
