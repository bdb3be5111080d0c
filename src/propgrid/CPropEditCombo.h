#pragma once

#include "propgrid/CPropStr.h"

#include <string>
#include <vector>

class CPropDropDown;

// A text property edited in a combo box that offers suggestions; any text may be typed.
class CPropEditCombo : public CPropStr
{
public:
    CPropEditCombo(std::string *bound, int nameId, std::vector<std::string> suggestions);

    const char *GetClassName() const override;
    // Lists the suggestions and selects the one equal to the working value; when none is, the
    // working value goes into the edit field.
    virtual void FillEditor(CPropDropDown &editor) const;

    std::vector<std::string> m_suggestions;
};
