#include "insert/CTextBoxCycle.h"

#include "insert/InsertStrings.h"

std::string CTextBoxCycle::Next()
{
    std::string text = InsertStrings::Get(m_nNextId);
    m_nNextId =
        m_nNextId >= InsertStrings::TextBoxLast ? InsertStrings::TextBoxFirst : m_nNextId + 1;
    return text;
}
