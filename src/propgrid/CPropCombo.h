#pragma once

#include "propgrid/CPropChoice.h"
#include "propgrid/CPropValueOb.h"

#include <string>
#include <vector>

class CPropDropDown;

// A property whose int value is one of a list of named choices, edited in a drop-down list.
// The item owns its choices, in the order they were added (the display order).
class CPropCombo : public CPropValueOb<CPropCombo, int>
{
public:
    CPropCombo(int *bound, int nameId);

    const char *GetClassName() const override;
    // The text of the first choice with the working value; empty when none has it.
    bool GetValueText(std::string &text) const override;
    bool GetAsLong(std::int32_t &value) const override;
    bool SetAsLong(std::int32_t value) override;

    // Lists every choice with its value as entry data and selects the entry with the working
    // value, or the first entry when none has it.
    virtual void FillEditor(CPropDropDown &editor) const;
    // Appends a choice named by a string id; a string id that does not load adds nothing.
    virtual bool AddChoice(int textId, int value);
    virtual void AddChoice(const std::string &text, int value);

    std::vector<CPropChoice> m_choices;
};
