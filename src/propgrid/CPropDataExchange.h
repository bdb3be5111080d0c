#pragma once

#include <string>
#include <utility>

// What an item's Validate sees of the panel's data exchange: it may reject the edited text with
// a message, which the panel shows before it puts the opening text back.
class CPropDataExchange
{
public:
    void Fail(std::string message = {})
    {
        m_bFailed = true;
        m_strMessage = std::move(message);
    }
    bool Failed() const { return m_bFailed; }
    const std::string &Message() const { return m_strMessage; }

private:
    bool m_bFailed = false;
    std::string m_strMessage;
};
