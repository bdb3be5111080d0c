#pragma once

#include "insert/CHtmlObject.h"

// The text of the script insert: JavaScript or VBScript wrapped in a script element hidden in a
// comment, or raw HTML passed through. m_strText is the author's text and is never changed; it
// goes in verbatim. Lines of the wrapping end with bare line feeds.
class CScriptObject : public CHtmlObject
{
public:
    enum Kind { JavaScript = 0, VBScript = 1, Html = 2 };

    // Non-empty text; an empty text inserts nothing.
    bool IsValid() const override;
    // The wrapped script for JavaScript and VBScript, the text unchanged for any other kind.
    std::string GetHtml() const override;
    // Whether the text goes to the end of the element holding the selection (the two script
    // kinds) rather than at the caret.
    bool InsertsInParentElement() const;

    std::string m_strText;
    int m_nKind = Html;
};
