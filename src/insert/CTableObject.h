#pragma once

#include "insert/CHtmlObject.h"

#include <cstdint>

// An empty table with a non-breaking space in every cell, built from the Insert Table dialog's
// values. The six number boxes are kept as the texts the user typed; each is read with blanks
// and tabs trimmed and then as a leading decimal number ("12abc" is 12, "" and "abc" are 0).
// Lines end with CR LF; m_strPrefix (the caller's indent) starts every line. Name and value stay
// empty.
class CTableObject : public CHtmlObject
{
public:
    // A COLORREF (red in the low byte) meaning "no background colour"; it is red 192, green 192,
    // blue 195, so that colour cannot be chosen. The "Automatic" value -1 also means none.
    static constexpr std::uint32_t kNoColour = 12828864;
    static constexpr std::uint32_t kAutomaticColour = 0xFFFFFFFFu;
    // Upper bound on rows + cells of one table (about 2 MB of text); larger tables are refused
    // instead of building a fragment the editor could not take.
    static constexpr long long kMaxRowsAndCells = 100000;

    enum WidthUnit { Pixels = 0, Percent = 1 };

    // Rows and columns both non-zero and the table not too large (IsTooLarge). The dialog keeps
    // itself open otherwise.
    bool IsValid() const override;
    // The table text; empty when IsValid is false.
    std::string GetHtml() const override;

    // Whether the numbers ask for more than kMaxRowsAndCells rows and cells together.
    bool IsTooLarge() const;

    // The value of one number box.
    static long BoxValue(const std::string &text);

    std::string m_strPrefix;
    int m_nWidthUnit = Percent;
    std::uint32_t m_crBackground = kNoColour;
    std::string m_strWidth = "75";
    std::string m_strRows = "3";
    std::string m_strColumns = "2";
    std::string m_strSpacing;
    std::string m_strPadding;
    std::string m_strBorder = "1";
};
