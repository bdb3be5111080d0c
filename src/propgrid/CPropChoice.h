#pragma once

#include <string>
#include <utility>

// One named choice of a CPropCombo.
class CPropChoice
{
public:
    CPropChoice(std::string text, int value)
        : m_strText(std::move(text))
        , m_nValue(value)
    {}

    std::string m_strText;
    int m_nValue;
};
