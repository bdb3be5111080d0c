#pragma once

#include "insert/CHtmlObject.h"

#include <cstddef>
#include <vector>

// One entry of a list or drop-down menu: the option text (element content, written verbatim),
// its value (omitted when empty) and whether it starts selected.
struct CListMenuRow
{
    std::string m_strItem;
    std::string m_strValue;
    bool m_bSelected = false;

    bool operator==(const CListMenuRow &) const = default;
};

// A <select> list or menu built from its rows in order. m_strName is the list name. The rows are
// what the list dialog shows; its "Selected" column reads "Yes" or "No" (SelectedText).
class CListMenuObject : public CHtmlObject
{
public:
    CListMenuObject() { m_strName = "List1"; }

    std::string GetHtml() const override;

    // After row k was added or edited: when multiple selection is off and a row other than k is
    // selected too, multiple selection is switched on. Returns whether it was switched on.
    bool ApplyMultipleRule(std::size_t k);
    // After multiple selection was switched off: the first selected row stays selected, every
    // later one is cleared.
    void KeepFirstSelectedOnly();

    static const char *SelectedText(bool selected) { return selected ? "Yes" : "No"; }

    int m_nHeight = 1; // the size attribute, in rows
    bool m_bMultiple = false;
    std::vector<CListMenuRow> m_rows;
};
