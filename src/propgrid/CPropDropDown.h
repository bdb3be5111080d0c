#pragma once

#include <cstdint>
#include <string>

// The part of a drop-down list or combo box that the choice and suggestion items fill. The
// panel's Qt drop-downs implement it; entry indexes count from 0 in the order of AddEntry.
class CPropDropDown
{
public:
    virtual ~CPropDropDown() = default;
    // Removes every entry and clears the selection and the edit text.
    virtual void Clear() = 0;
    // Appends an entry carrying data and returns its index.
    virtual int AddEntry(const std::string &text, std::intptr_t data) = 0;
    // Selects an entry; -1 selects none.
    virtual void SelectEntry(int index) = 0;
    // Puts a text into the edit field of a combo box (drop-down lists ignore it).
    virtual void SetEditText(const std::string &text) = 0;
};
