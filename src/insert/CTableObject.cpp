#include "insert/CTableObject.h"

#include "util/StringUtil.h"

#include <algorithm>
#include <climits>

static std::string trimBlanksAndTabs(const std::string &text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.substr(begin, end - begin);
}

long CTableObject::BoxValue(const std::string &text)
{
    // Saturated into int: the values are written as ints.
    return std::clamp<long>(util::ParseDecimal(trimBlanksAndTabs(text)), INT_MIN, INT_MAX);
}

bool CTableObject::IsTooLarge() const
{
    const long long rows = std::max(0L, BoxValue(m_strRows));
    const long long columns = std::max(0L, BoxValue(m_strColumns));
    return rows * (columns + 1) > kMaxRowsAndCells;
}

bool CTableObject::IsValid() const
{
    return BoxValue(m_strRows) != 0 && BoxValue(m_strColumns) != 0 && !IsTooLarge();
}

std::string CTableObject::GetHtml() const
{
    if (!IsValid())
        return std::string();
    const long width = BoxValue(m_strWidth);
    const long spacing = BoxValue(m_strSpacing);
    const long border = std::max(0L, BoxValue(m_strBorder));
    const long rows = BoxValue(m_strRows);
    const long columns = BoxValue(m_strColumns);
    const long padding = BoxValue(m_strPadding);

    std::string t = "\r\n" + m_strPrefix + "<TABLE";
    if (m_crBackground != kNoColour && m_crBackground != kAutomaticColour) {
        t += util::Format(" bgcolor=rgb(%u,%u,%u)", m_crBackground & 0xFFu,
                          (m_crBackground >> 8) & 0xFFu, (m_crBackground >> 16) & 0xFFu);
    }
    if (width > 0) {
        t += util::Format(" WIDTH=\"%ld", width);
        if (m_nWidthUnit == Percent)
            t += "%";
        t += "\"";
    }
    t += util::Format(" BORDER=\"%ld\"", border);
    if (spacing > 0)
        t += util::Format(" CELLSPACING=\"%ld\"", spacing);
    if (padding > 0)
        t += util::Format(" CELLPADDING=\"%ld\"", padding);
    t += ">\r\n";

    // Negative rows give no rows and negative columns rows without cells; both are still a
    // table the user asked for.
    const std::string cell = m_strPrefix + "    <TD>&nbsp</TD>\r\n";
    for (long r = 0; r < rows; ++r) {
        t += m_strPrefix + "  <TR>\r\n";
        for (long c = 0; c < columns; ++c)
            t += cell;
        t += m_strPrefix + "  </TR>\r\n";
    }
    t += m_strPrefix + "</TABLE>\r\n";
    return t;
}
