#pragma once

#include <string>

// Base of the generator objects: short-lived values that turn their fields into an HTML fragment.
// A dialog (or a command) fills the public fields, asks GetHtml() for the text and drops the
// object; nothing is read back from a page.
//
// Field values are written as given, with one exception that keeps the author's page intact:
// inside a double-quoted attribute value a double quote is written as "&quot;" (and inside the
// single-quoted script strings of the image behaviours a single quote as \'). Element content
// (option texts, text-area text, raw HTML and scripts) is never touched.
class CHtmlObject
{
public:
    virtual ~CHtmlObject() = default;

    // Whether the fields make a usable object; the base accepts everything.
    virtual bool IsValid() const { return true; }
    // The fragment; the base has none (empty string).
    virtual std::string GetHtml() const { return std::string(); }

    // The named anchor for m_strName: <a name="..."></a>. The name is used as typed.
    std::string GetAnchorHtml() const;

    std::string m_strName;  // the name or id scripts use
    std::string m_strValue; // main value: a source path, or the value of a form element
};
