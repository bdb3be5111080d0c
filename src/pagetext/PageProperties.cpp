#include "pagetext/PageProperties.h"

#include "util/StringUtil.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>

namespace {

struct NamedColour
{
    std::string_view name;
    std::uint32_t rgb; // 0xRRGGBB
};

// The colour keywords of CSS, which legacy colour attributes accept too; sorted by name.
constexpr auto kNamedColours = std::to_array<NamedColour>({
    {"aliceblue", 0xf0f8ff},
    {"antiquewhite", 0xfaebd7},
    {"aqua", 0x00ffff},
    {"aquamarine", 0x7fffd4},
    {"azure", 0xf0ffff},
    {"beige", 0xf5f5dc},
    {"bisque", 0xffe4c4},
    {"black", 0x000000},
    {"blanchedalmond", 0xffebcd},
    {"blue", 0x0000ff},
    {"blueviolet", 0x8a2be2},
    {"brown", 0xa52a2a},
    {"burlywood", 0xdeb887},
    {"cadetblue", 0x5f9ea0},
    {"chartreuse", 0x7fff00},
    {"chocolate", 0xd2691e},
    {"coral", 0xff7f50},
    {"cornflowerblue", 0x6495ed},
    {"cornsilk", 0xfff8dc},
    {"crimson", 0xdc143c},
    {"cyan", 0x00ffff},
    {"darkblue", 0x00008b},
    {"darkcyan", 0x008b8b},
    {"darkgoldenrod", 0xb8860b},
    {"darkgray", 0xa9a9a9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xa9a9a9},
    {"darkkhaki", 0xbdb76b},
    {"darkmagenta", 0x8b008b},
    {"darkolivegreen", 0x556b2f},
    {"darkorange", 0xff8c00},
    {"darkorchid", 0x9932cc},
    {"darkred", 0x8b0000},
    {"darksalmon", 0xe9967a},
    {"darkseagreen", 0x8fbc8f},
    {"darkslateblue", 0x483d8b},
    {"darkslategray", 0x2f4f4f},
    {"darkslategrey", 0x2f4f4f},
    {"darkturquoise", 0x00ced1},
    {"darkviolet", 0x9400d3},
    {"deeppink", 0xff1493},
    {"deepskyblue", 0x00bfff},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1e90ff},
    {"firebrick", 0xb22222},
    {"floralwhite", 0xfffaf0},
    {"forestgreen", 0x228b22},
    {"fuchsia", 0xff00ff},
    {"gainsboro", 0xdcdcdc},
    {"ghostwhite", 0xf8f8ff},
    {"gold", 0xffd700},
    {"goldenrod", 0xdaa520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xadff2f},
    {"grey", 0x808080},
    {"honeydew", 0xf0fff0},
    {"hotpink", 0xff69b4},
    {"indianred", 0xcd5c5c},
    {"indigo", 0x4b0082},
    {"ivory", 0xfffff0},
    {"khaki", 0xf0e68c},
    {"lavender", 0xe6e6fa},
    {"lavenderblush", 0xfff0f5},
    {"lawngreen", 0x7cfc00},
    {"lemonchiffon", 0xfffacd},
    {"lightblue", 0xadd8e6},
    {"lightcoral", 0xf08080},
    {"lightcyan", 0xe0ffff},
    {"lightgoldenrodyellow", 0xfafad2},
    {"lightgray", 0xd3d3d3},
    {"lightgreen", 0x90ee90},
    {"lightgrey", 0xd3d3d3},
    {"lightpink", 0xffb6c1},
    {"lightsalmon", 0xffa07a},
    {"lightseagreen", 0x20b2aa},
    {"lightskyblue", 0x87cefa},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xb0c4de},
    {"lightyellow", 0xffffe0},
    {"lime", 0x00ff00},
    {"limegreen", 0x32cd32},
    {"linen", 0xfaf0e6},
    {"magenta", 0xff00ff},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66cdaa},
    {"mediumblue", 0x0000cd},
    {"mediumorchid", 0xba55d3},
    {"mediumpurple", 0x9370db},
    {"mediumseagreen", 0x3cb371},
    {"mediumslateblue", 0x7b68ee},
    {"mediumspringgreen", 0x00fa9a},
    {"mediumturquoise", 0x48d1cc},
    {"mediumvioletred", 0xc71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xf5fffa},
    {"mistyrose", 0xffe4e1},
    {"moccasin", 0xffe4b5},
    {"navajowhite", 0xffdead},
    {"navy", 0x000080},
    {"oldlace", 0xfdf5e6},
    {"olive", 0x808000},
    {"olivedrab", 0x6b8e23},
    {"orange", 0xffa500},
    {"orangered", 0xff4500},
    {"orchid", 0xda70d6},
    {"palegoldenrod", 0xeee8aa},
    {"palegreen", 0x98fb98},
    {"paleturquoise", 0xafeeee},
    {"palevioletred", 0xdb7093},
    {"papayawhip", 0xffefd5},
    {"peachpuff", 0xffdab9},
    {"peru", 0xcd853f},
    {"pink", 0xffc0cb},
    {"plum", 0xdda0dd},
    {"powderblue", 0xb0e0e6},
    {"purple", 0x800080},
    {"rebeccapurple", 0x663399},
    {"red", 0xff0000},
    {"rosybrown", 0xbc8f8f},
    {"royalblue", 0x4169e1},
    {"saddlebrown", 0x8b4513},
    {"salmon", 0xfa8072},
    {"sandybrown", 0xf4a460},
    {"seagreen", 0x2e8b57},
    {"seashell", 0xfff5ee},
    {"sienna", 0xa0522d},
    {"silver", 0xc0c0c0},
    {"skyblue", 0x87ceeb},
    {"slateblue", 0x6a5acd},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xfffafa},
    {"springgreen", 0x00ff7f},
    {"steelblue", 0x4682b4},
    {"tan", 0xd2b48c},
    {"teal", 0x008080},
    {"thistle", 0xd8bfd8},
    {"tomato", 0xff6347},
    {"turquoise", 0x40e0d0},
    {"violet", 0xee82ee},
    {"wheat", 0xf5deb3},
    {"white", 0xffffff},
    {"whitesmoke", 0xf5f5f5},
    {"yellow", 0xffff00},
    {"yellowgreen", 0x9acd32},
});

bool IsHtmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::int32_t SwapRedBlue(std::uint32_t rgb)
{
    return static_cast<std::int32_t>(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
}

void AppendUtf8(std::string &out, unsigned long code)
{
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        code = 0xFFFD;
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Where the raw text of an element whose content is not markup ends: at its end tag, or at the
// end of the text.
size_t RawTextEnd(std::string_view text, size_t from, std::string_view name)
{
    for (size_t p = text.find("</", from); p != std::string_view::npos;
         p = text.find("</", p + 2)) {
        if (util::StartsWithIgnoreCaseAscii(text.substr(p + 2), name)) {
            const size_t after = p + 2 + name.size();
            if (after >= text.size() || text[after] == '>' || IsHtmlSpace(text[after]) ||
                text[after] == '/')
                return p;
        }
    }
    return text.size();
}

std::string CollapseWhite(std::string_view text)
{
    std::string out;
    bool space = false;
    for (char c : text) {
        if (IsHtmlSpace(c)) {
            space = !out.empty();
            continue;
        }
        if (space)
            out += ' ';
        space = false;
        out += c;
    }
    return out;
}

const HtmlTag *FindMeta(const std::vector<HtmlTag> &tags, std::string_view kind)
{
    for (const HtmlTag &tag : tags) {
        if (tag.name != "meta")
            continue;
        for (const char *key : {"http-equiv", "name"}) {
            const HtmlTagAttribute *a = tag.Find(key);
            if (a && util::EqualsIgnoreCaseAscii(util::TrimWhite(a->value), kind))
                return &tag;
        }
    }
    return nullptr;
}

const HtmlTag *FindTag(const std::vector<HtmlTag> &tags, std::string_view name)
{
    for (const HtmlTag &tag : tags)
        if (tag.name == name)
            return &tag;
    return nullptr;
}

// Where a head tag goes into a page that has none of its kind: before the head's end tag, else
// before the body, else after the html start tag, else at the start of the text.
size_t HeadInsertionPoint(std::string_view text, const std::vector<HtmlTag> &tags)
{
    for (size_t p = text.find("</"); p != std::string_view::npos; p = text.find("</", p + 2)) {
        size_t q = p + 2;
        while (q < text.size() && IsHtmlSpace(text[q]))
            ++q;
        if (util::StartsWithIgnoreCaseAscii(text.substr(q), "head")) {
            // Ignore an end tag inside a comment or script: it must lie outside every scanned
            // tag and before the body.
            const HtmlTag *body = FindTag(tags, "body");
            if (!body || static_cast<int>(p) < body->begin)
                return p;
            break;
        }
    }
    if (const HtmlTag *body = FindTag(tags, "body"))
        return static_cast<size_t>(body->begin);
    if (const HtmlTag *html = FindTag(tags, "html"))
        return static_cast<size_t>(html->end);
    return 0;
}

// Puts content into the meta tag's content attribute, or adds the attribute before the tag's end.
std::string WithContent(std::string_view text, const HtmlTag &tag, std::string_view value)
{
    const std::string quoted = "\"" + EncodeHtmlAttribute(value) + "\"";
    std::string out(
        text.substr(static_cast<size_t>(tag.begin), static_cast<size_t>(tag.end - tag.begin)));
    if (const HtmlTagAttribute *content = tag.Find("content")) {
        if (content->valueBegin >= 0) {
            out.replace(static_cast<size_t>(content->valueBegin - tag.begin),
                        static_cast<size_t>(content->valueEnd - content->valueBegin), quoted);
            return out;
        }
        // A bare "content" without a value gets one.
        out.insert(static_cast<size_t>(content->nameEnd - tag.begin), "=" + quoted);
        return out;
    }
    size_t close = out.size() - 1; // the ">"
    if (close > 0 && out[close - 1] == '/')
        --close;
    out.insert(close, " content=" + quoted);
    return out;
}

} // namespace

unsigned ChangedPageProperties(const PageProperties &a, const PageProperties &b)
{
    unsigned changed = 0;
    if (a.title != b.title)
        changed |= pageprop::Title;
    if (a.description != b.description)
        changed |= pageprop::Description;
    if (a.keywords != b.keywords)
        changed |= pageprop::Keywords;
    if (a.backgroundSound != b.backgroundSound)
        changed |= pageprop::BackgroundSound;
    if (a.playSound != b.playSound)
        changed |= pageprop::PlaySound;
    if (a.background != b.background)
        changed |= pageprop::Background;
    if (a.backgroundColour != b.backgroundColour)
        changed |= pageprop::BackgroundColour;
    if (a.backgroundStyle != b.backgroundStyle)
        changed |= pageprop::BackgroundStyle;
    if (a.linkColour != b.linkColour)
        changed |= pageprop::LinkColour;
    if (a.visitedLinkColour != b.visitedLinkColour)
        changed |= pageprop::VisitedLinkColour;
    if (a.activeLinkColour != b.activeLinkColour)
        changed |= pageprop::ActiveLinkColour;
    return changed;
}

std::optional<std::int32_t> ParseHtmlColour(std::string_view input)
{
    // The legacy colour value rules of the HTML standard, step by step.
    std::string_view value = input;
    while (!value.empty() && IsHtmlSpace(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && IsHtmlSpace(value.back()))
        value.remove_suffix(1);
    if (value.empty() || util::EqualsIgnoreCaseAscii(value, "transparent"))
        return std::nullopt;
    const std::string lower = util::ToLowerAscii(value);
    const auto named = std::lower_bound(
        kNamedColours.begin(), kNamedColours.end(), lower,
        [](const NamedColour &entry, const std::string &key) { return entry.name < key; });
    if (named != kNamedColours.end() && named->name == lower)
        return SwapRedBlue(named->rgb);
    if (value.size() == 4 && value[0] == '#' && HexDigit(value[1]) >= 0 &&
        HexDigit(value[2]) >= 0 && HexDigit(value[3]) >= 0) {
        const std::uint32_t rgb = static_cast<std::uint32_t>(HexDigit(value[1]) * 17) << 16 |
                                  static_cast<std::uint32_t>(HexDigit(value[2]) * 17) << 8 |
                                  static_cast<std::uint32_t>(HexDigit(value[3]) * 17);
        return SwapRedBlue(rgb);
    }
    // Characters beyond the Basic Multilingual Plane count as "00"; the rest is cut to 128.
    std::string digits;
    for (size_t i = 0; i < value.size();) {
        const unsigned char c = static_cast<unsigned char>(value[i]);
        size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        digits += length == 4 ? "00" : std::string(1, static_cast<char>(c));
        i += length;
    }
    if (digits.size() > 128)
        digits.resize(128);
    if (!digits.empty() && digits.front() == '#')
        digits.erase(0, 1);
    for (char &c : digits)
        if (HexDigit(c) < 0)
            c = '0';
    while (digits.empty() || digits.size() % 3 != 0)
        digits += '0';
    size_t length = digits.size() / 3;
    std::array<std::string, 3> parts{digits.substr(0, length), digits.substr(length, length),
                                     digits.substr(2 * length, length)};
    if (length > 8) {
        for (std::string &part : parts)
            part.erase(0, length - 8);
        length = 8;
    }
    while (length > 2 && parts[0][0] == '0' && parts[1][0] == '0' && parts[2][0] == '0') {
        for (std::string &part : parts)
            part.erase(0, 1);
        --length;
    }
    if (length > 2)
        for (std::string &part : parts)
            part.resize(2);
    std::uint32_t rgb = 0;
    for (const std::string &part : parts) {
        std::uint32_t component = 0;
        for (char c : part)
            component = component * 16 + static_cast<std::uint32_t>(HexDigit(c));
        rgb = rgb << 8 | component;
    }
    return SwapRedBlue(rgb);
}

std::string HtmlColourText(std::int32_t colour)
{
    return util::Format("#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF,
                        (colour >> 16) & 0xFF);
}

const HtmlTagAttribute *HtmlTag::Find(std::string_view wanted) const
{
    for (const HtmlTagAttribute &attribute : attributes)
        if (attribute.name == wanted)
            return &attribute;
    return nullptr;
}

std::vector<HtmlTag> ScanHtmlTags(std::string_view text)
{
    std::vector<HtmlTag> tags;
    const size_t n = text.size();
    size_t p = 0;
    while ((p = text.find('<', p)) != std::string_view::npos) {
        if (text.compare(p, 4, "<!--") == 0) {
            const size_t close = text.find("-->", p + 4);
            if (close == std::string_view::npos)
                break;
            p = close + 3;
            continue;
        }
        if (p + 1 >= n || !std::isalpha(static_cast<unsigned char>(text[p + 1]))) {
            // End tags, doctypes and a lone "<" in text: skipped up to their ">".
            const bool markup =
                p + 1 < n && (text[p + 1] == '/' || text[p + 1] == '!' || text[p + 1] == '?');
            p = markup ? text.find('>', p) : p + 1;
            if (p == std::string_view::npos)
                break;
            continue;
        }
        HtmlTag tag;
        tag.begin = static_cast<int>(p);
        size_t q = p + 1;
        while (q < n && !IsHtmlSpace(text[q]) && text[q] != '>' && text[q] != '/')
            ++q;
        tag.name = util::ToLowerAscii(text.substr(p + 1, q - p - 1));
        bool closed = false;
        while (q < n) {
            while (q < n && (IsHtmlSpace(text[q]) || text[q] == '/'))
                ++q;
            if (q >= n)
                break;
            if (text[q] == '>') {
                closed = true;
                ++q;
                break;
            }
            const size_t nameBegin = q;
            ++q; // an attribute name may begin with "=" (an error the syntax still accepts)
            while (q < n && !IsHtmlSpace(text[q]) && text[q] != '>' && text[q] != '/' &&
                   text[q] != '=')
                ++q;
            HtmlTagAttribute attribute;
            attribute.name = util::ToLowerAscii(text.substr(nameBegin, q - nameBegin));
            attribute.nameEnd = static_cast<int>(q);
            size_t r = q;
            while (r < n && IsHtmlSpace(text[r]))
                ++r;
            if (r < n && text[r] == '=') {
                ++r;
                while (r < n && IsHtmlSpace(text[r]))
                    ++r;
                if (r < n && (text[r] == '"' || text[r] == '\'')) {
                    const size_t close = text.find(text[r], r + 1);
                    if (close == std::string_view::npos) {
                        q = n;
                        break;
                    }
                    attribute.value = DecodeHtmlText(text.substr(r + 1, close - r - 1));
                    attribute.valueBegin = static_cast<int>(r);
                    attribute.valueEnd = static_cast<int>(close + 1);
                    q = close + 1;
                } else {
                    size_t e = r;
                    while (e < n && !IsHtmlSpace(text[e]) && text[e] != '>')
                        ++e;
                    attribute.value = DecodeHtmlText(text.substr(r, e - r));
                    attribute.valueBegin = static_cast<int>(r);
                    attribute.valueEnd = static_cast<int>(e);
                    q = e;
                }
            }
            // The first of two attributes with one name counts, as in a browser.
            if (!tag.Find(attribute.name))
                tag.attributes.push_back(std::move(attribute));
        }
        if (!closed)
            break;
        tag.end = static_cast<int>(q);
        p = q;
        const std::string name = tag.name;
        tags.push_back(std::move(tag));
        if (name == "script" || name == "style" || name == "textarea" || name == "title")
            p = RawTextEnd(text, p, name);
    }
    return tags;
}

std::string DecodeHtmlText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        const size_t semi = text.find(';', i + 1);
        if (semi == std::string_view::npos || semi - i > 10) {
            out += '&';
            continue;
        }
        const std::string_view entity = text.substr(i + 1, semi - i - 1);
        std::string decoded;
        if (entity == "amp")
            decoded = "&";
        else if (entity == "lt")
            decoded = "<";
        else if (entity == "gt")
            decoded = ">";
        else if (entity == "quot")
            decoded = "\"";
        else if (entity == "apos")
            decoded = "'";
        else if (entity == "nbsp")
            decoded = "\xC2\xA0";
        else if (entity.size() > 1 && entity[0] == '#') {
            const bool hex = entity[1] == 'x' || entity[1] == 'X';
            const std::string digits(entity.substr(hex ? 2 : 1));
            char *end = nullptr;
            const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
            if (!digits.empty() && end && *end == '\0' &&
                std::all_of(digits.begin(), digits.end(),
                            [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
                AppendUtf8(decoded, code);
        }
        if (decoded.empty()) {
            out += '&';
            continue;
        }
        out += decoded;
        i = semi;
    }
    return out;
}

std::string EncodeHtmlAttribute(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (char c : value) {
        if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

unsigned ReadPagePropertiesFromText(std::string_view text, PageProperties &props)
{
    const std::vector<HtmlTag> tags = ScanHtmlTags(text);
    unsigned found = 0;

    props.title.clear();
    if (const HtmlTag *title = FindTag(tags, "title")) {
        const size_t begin = static_cast<size_t>(title->end);
        props.title = CollapseWhite(
            DecodeHtmlText(text.substr(begin, RawTextEnd(text, begin, "title") - begin)));
        found |= pageprop::Title;
    }

    const auto readMeta = [&](std::string_view kind, std::string &value, unsigned bit) {
        value.clear();
        if (const HtmlTag *meta = FindMeta(tags, kind)) {
            if (const HtmlTagAttribute *content = meta->Find("content"))
                value = content->value;
            found |= bit;
        }
    };
    readMeta("description", props.description, pageprop::Description);
    readMeta("keywords", props.keywords, pageprop::Keywords);

    props.backgroundSound.clear();
    if (const HtmlTag *sound = FindTag(tags, "bgsound")) {
        if (const HtmlTagAttribute *src = sound->Find("src"))
            props.backgroundSound = src->value;
        // Any loop but a single one plays on: "infinite", "-1", a bare attribute, a count.
        const HtmlTagAttribute *loop = sound->Find("loop");
        const std::string_view count = loop ? util::TrimWhite(loop->value) : std::string_view();
        props.playSound = loop && count != "1" && count != "0" ? 0 : 1;
        found |= pageprop::BackgroundSound | pageprop::PlaySound;
    }

    if (const HtmlTag *body = FindTag(tags, "body")) {
        const HtmlTagAttribute *background = body->Find("background");
        props.background = background ? background->value : std::string();
        const HtmlTagAttribute *style = body->Find("bgproperties");
        props.backgroundStyle = style && !util::TrimWhite(style->value).empty() ? 0 : 1;
        found |= pageprop::Background | pageprop::BackgroundStyle;
        const auto readColour = [&](const char *name, std::int32_t &colour, unsigned bit) {
            const HtmlTagAttribute *attribute = body->Find(name);
            if (!attribute)
                return;
            if (const auto parsed = ParseHtmlColour(attribute->value)) {
                colour = *parsed;
                found |= bit;
            }
        };
        readColour("bgcolor", props.backgroundColour, pageprop::BackgroundColour);
        readColour("link", props.linkColour, pageprop::LinkColour);
        readColour("vlink", props.visitedLinkColour, pageprop::VisitedLinkColour);
        readColour("alink", props.activeLinkColour, pageprop::ActiveLinkColour);
    }
    return found;
}

std::string KeywordsTag(std::string_view keywords)
{
    return "<meta content=\"" + EncodeHtmlAttribute(keywords) + "\" http-equiv=keywords>";
}

std::string DescriptionTag(std::string_view description)
{
    return "<meta content=\"" + EncodeHtmlAttribute(description) + "\" http-equiv=description>";
}

std::string BackgroundSoundTag(std::string_view source, bool loop)
{
    std::string tag = "<bgsound src=\"" + EncodeHtmlAttribute(source) + "\"";
    if (loop)
        tag += " LOOP=\"infinite\"";
    return tag + ">";
}

bool PatchPageHead(std::string &text, const PageProperties &props, unsigned changed)
{
    bool any = false;
    // Each patch rescans: positions move with every change, and pages are small next to the
    // cost of the save and reload around this.
    const auto patchMeta = [&](std::string_view kind, const std::string &value,
                               std::string (*make)(std::string_view)) {
        const std::vector<HtmlTag> tags = ScanHtmlTags(text);
        if (const HtmlTag *meta = FindMeta(tags, kind)) {
            const std::string replacement = WithContent(text, *meta, value);
            text.replace(static_cast<size_t>(meta->begin),
                         static_cast<size_t>(meta->end - meta->begin), replacement);
        } else {
            text.insert(HeadInsertionPoint(text, tags), make(value));
        }
        any = true;
    };
    if (changed & pageprop::Keywords)
        patchMeta("keywords", props.keywords, KeywordsTag);
    if (changed & pageprop::Description)
        patchMeta("description", props.description, DescriptionTag);
    if (changed & (pageprop::BackgroundSound | pageprop::PlaySound)) {
        const std::vector<HtmlTag> tags = ScanHtmlTags(text);
        const HtmlTag *sound = FindTag(tags, "bgsound");
        // An empty source would name the page itself; no sound means no tag.
        const std::string tag =
            props.backgroundSound.empty()
                ? std::string()
                : BackgroundSoundTag(props.backgroundSound, props.playSound == 0);
        if (sound) {
            text.replace(static_cast<size_t>(sound->begin),
                         static_cast<size_t>(sound->end - sound->begin), tag);
            any = true;
        } else if (!tag.empty()) {
            text.insert(HeadInsertionPoint(text, tags), tag);
            any = true;
        }
    }
    return any;
}

std::string PageRelativeReference(const std::string &pageFolder, const std::string &file)
{
    if (pageFolder.empty())
        return file;
    std::string folder = pageFolder;
    if (folder.back() != '/')
        folder += '/';
    if (file.size() > folder.size() && file.compare(0, folder.size(), folder) == 0)
        return file.substr(folder.size());
    return file;
}
