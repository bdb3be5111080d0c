#pragma once

#include "propgrid/CPropFontValue.h"
#include "propgrid/CPropOb.h"

// A font property, chosen in the font dialog (browse button "&Font..."). The list shows the
// face name, or "(None)" for an empty font.
class CPropFont : public CPropOb
{
public:
    CPropFont(PropLogFont *bound, int nameId);

    const char *GetClassName() const override;
    bool IsEqual(const CPropOb &other) const override;
    void CopyValue(const CPropOb &other) override;
    void Store() override;
    void StoreFrom(const CPropOb &other) override;
    void Revert() override;
    bool Refresh() override;
    bool GetValueText(std::string &text) const override;

    CPropFontValue m_value;
    CPropFontValue m_initial;
    PropLogFont *m_pBound;
};
