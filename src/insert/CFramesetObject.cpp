#include "insert/CFramesetObject.h"

bool CFramesetObject::IsValid() const
{
    return FrameCount(m_nLayout) != 0;
}

int CFramesetObject::FrameCount(int layout)
{
    if (layout == TwoColumns || layout == TwoRows)
        return 2;
    if (layout >= ColumnThenRows && layout <= ThreeRows)
        return 3;
    return 0;
}

std::string CFramesetObject::GetHtml() const
{
    const std::string f1 = m_frames[0].GetHtml();
    const std::string f2 = m_frames[1].GetHtml();
    std::string t = "<HTML><FRAMESET";
    switch (m_nLayout) {
    case TwoColumns:
        t += " COLS=\"30%,70%\">\r\n" + f1 + f2;
        break;
    case TwoRows:
        t += " ROWS=\"30%,70%\">\r\n" + f1 + f2;
        break;
    case ColumnThenRows:
        t += " COLS=\"30%,70%\">\r\n" + f1 + "<FRAMESET ROWS=\"30%,70%\">\r\n" + f2 +
             m_frames[2].GetHtml() + "</FRAMESET>\r\n";
        break;
    case RowThenColumns:
        t += " ROWS=\"30%,70%\">\r\n" + f1 + "<FRAMESET COLS=\"30%,70%\">\r\n" + f2 +
             m_frames[2].GetHtml() + "</FRAMESET>\r\n";
        break;
    case ThreeColumns:
        t += " COLS=\"33%,33%,34%\">\r\n" + f1 + f2 + m_frames[2].GetHtml();
        break;
    case ThreeRows:
        t += " ROWS=\"33%,33%,34%\">\r\n" + f1 + f2 + m_frames[2].GetHtml();
        break;
    default:
        // A frameset without a layout would be a broken page; there is nothing to write.
        return std::string();
    }
    return t + "</FRAMESET>\r\n<NOFRAMES>Your browser does not support "
               "frames\r\n</NOFRAMES></HTML>\r\n";
}
