#include "propgrid/CPropFontValue.h"

#include "propgrid/PropStrings.h"
#include "util/StringUtil.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <limits>

namespace {

// Reads a number the way "%d" / "%u" of the C scanner do: blanks, an optional sign, at least
// one digit. Overlong numbers saturate instead of overflowing.
bool ScanNumber(const std::string &text, size_t &pos, bool isUnsigned, std::int64_t &value)
{
    size_t p = pos;
    while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p])))
        ++p;
    bool negative = false;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= text.size() || !std::isdigit(static_cast<unsigned char>(text[p])))
        return false;
    constexpr std::uint64_t kCap = std::uint64_t(1) << 32;
    std::uint64_t magnitude = 0;
    while (p < text.size() && std::isdigit(static_cast<unsigned char>(text[p]))) {
        if (magnitude < kCap)
            magnitude = magnitude * 10 + static_cast<unsigned>(text[p] - '0');
        ++p;
    }
    if (isUnsigned) {
        // "%u" takes a negative number modulo 2^32, as strtoul does; too large gives all ones.
        std::uint32_t u = magnitude >= kCap ? 0xFFFFFFFFu : static_cast<std::uint32_t>(magnitude);
        if (negative)
            u = 0u - u;
        value = u;
    } else {
        const std::int64_t limit = negative
                                       ? -std::int64_t(std::numeric_limits<std::int32_t>::min())
                                       : std::numeric_limits<std::int32_t>::max();
        const std::int64_t m = magnitude > std::uint64_t(limit) ? limit : std::int64_t(magnitude);
        value = negative ? -m : m;
    }
    pos = p;
    return true;
}

} // namespace

bool operator==(const PropLogFont &a, const PropLogFont &b)
{
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight &&
           a.lfItalic == b.lfItalic && a.lfUnderline == b.lfUnderline &&
           a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::strncmp(a.lfFaceName, b.lfFaceName, sizeof a.lfFaceName) == 0;
}

bool operator==(const CPropFontValue &a, const CPropFontValue &b)
{
    return a.m_lf == b.m_lf;
}

CPropFontValue::CPropFontValue()
{
    Clear();
}

CPropFontValue::CPropFontValue(const PropLogFont &font)
    : m_lf(font)
{
    m_lf.lfFaceName[sizeof m_lf.lfFaceName - 1] = '\0';
}

void CPropFontValue::Clear()
{
    std::memset(&m_lf, 0, sizeof m_lf);
}

bool CPropFontValue::IsEmpty() const
{
    return m_lf.lfHeight == 0;
}

bool CPropFontValue::SetFromString(const std::string &text)
{
    Clear();
    std::int32_t *const ints[] = {&m_lf.lfHeight, &m_lf.lfWidth, &m_lf.lfEscapement,
                                  &m_lf.lfOrientation, &m_lf.lfWeight};
    std::uint8_t *const bytes[] = {&m_lf.lfItalic,  &m_lf.lfUnderline,     &m_lf.lfStrikeOut,
                                   &m_lf.lfCharSet, &m_lf.lfOutPrecision,  &m_lf.lfClipPrecision,
                                   &m_lf.lfQuality, &m_lf.lfPitchAndFamily};
    size_t pos = 0;
    for (int field = 0; field < 13; ++field) {
        if (field > 0) {
            if (pos >= text.size() || text[pos] != ',')
                return false;
            ++pos;
        }
        std::int64_t value = 0;
        if (!ScanNumber(text, pos, field >= 5, value))
            return false;
        if (field < 5)
            *ints[field] = static_cast<std::int32_t>(value);
        else
            *bytes[field - 5] = static_cast<std::uint8_t>(value & 0xFF);
    }
    // The face name follows the last comma. That comma must come after the thirteenth number:
    // a text that ends with the numbers has no face name (its last number is not one).
    const size_t comma = text.rfind(',');
    if (comma == std::string::npos || comma < pos)
        return false;
    SetFaceName(text.substr(comma + 1));
    return true;
}

bool CPropFontValue::SetFromStringId(int id)
{
    std::string text;
    if (!LoadPropString(id, text))
        return false;
    return SetFromString(text);
}

std::string CPropFontValue::ToString() const
{
    return util::Format("%d,%d,%d,%d,%d,%u,%u,%u,%u,%u,%u,%u,%u,%s", m_lf.lfHeight, m_lf.lfWidth,
                        m_lf.lfEscapement, m_lf.lfOrientation, m_lf.lfWeight, m_lf.lfItalic,
                        m_lf.lfUnderline, m_lf.lfStrikeOut, m_lf.lfCharSet, m_lf.lfOutPrecision,
                        m_lf.lfClipPrecision, m_lf.lfQuality, m_lf.lfPitchAndFamily,
                        GetFaceName().c_str());
}

std::string CPropFontValue::GetFaceName() const
{
    return std::string(m_lf.lfFaceName, strnlen(m_lf.lfFaceName, sizeof m_lf.lfFaceName));
}

void CPropFontValue::SetFaceName(const std::string &face)
{
    size_t length = std::min(face.size(), sizeof m_lf.lfFaceName - 1);
    // Do not leave half of a multi-byte character at the cut.
    if (length < face.size()) {
        while (length > 0 && (static_cast<unsigned char>(face[length]) & 0xC0) == 0x80)
            --length;
    }
    std::memset(m_lf.lfFaceName, 0, sizeof m_lf.lfFaceName);
    std::memcpy(m_lf.lfFaceName, face.data(), length);
}
