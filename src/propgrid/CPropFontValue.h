#pragma once

#include <cstdint>
#include <string>

// A font description with the field widths of the platform font record (60 bytes), so that it
// can be handed to and taken from a font dialog unchanged.
struct PropLogFont
{
    std::int32_t lfHeight;
    std::int32_t lfWidth;
    std::int32_t lfEscapement;
    std::int32_t lfOrientation;
    std::int32_t lfWeight;
    std::uint8_t lfItalic;
    std::uint8_t lfUnderline;
    std::uint8_t lfStrikeOut;
    std::uint8_t lfCharSet;
    std::uint8_t lfOutPrecision;
    std::uint8_t lfClipPrecision;
    std::uint8_t lfQuality;
    std::uint8_t lfPitchAndFamily;
    char lfFaceName[32]; // zero-terminated
};
static_assert(sizeof(PropLogFont) == 60, "the font record has the platform's 60-byte layout");

// Field by field; face names compare up to their terminating zero.
bool operator==(const PropLogFont &a, const PropLogFont &b);

// The value of a font property, and the panel's own default font. A value with height 0 is
// empty (no font).
//
// Text form: thirteen numbers and the face name, comma-separated, in record order:
// "height,width,escapement,orientation,weight,italic,underline,strikeOut,charSet,
// outPrecision,clipPrecision,quality,pitchAndFamily,face".
class CPropFontValue
{
public:
    CPropFontValue();
    explicit CPropFontValue(const PropLogFont &font);

    // Parses the text form. The record is zeroed first; the numbers are read in order up to the
    // first that does not parse, each byte field keeping the low 8 bits of its number; the face
    // name is what follows the last comma, cut to 31 bytes. True only when all thirteen numbers
    // and a face name (possibly empty) were found.
    bool SetFromString(const std::string &text);
    // Parses the string with that id; false when it does not load.
    bool SetFromStringId(int id);
    void Clear();
    bool IsEmpty() const;
    std::string ToString() const;

    std::string GetFaceName() const;
    // Sets the face name, cut to 31 bytes without splitting a UTF-8 sequence.
    void SetFaceName(const std::string &face);

    PropLogFont m_lf;
};

bool operator==(const CPropFontValue &a, const CPropFontValue &b);
