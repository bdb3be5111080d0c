#pragma once

class CPropObArray;

// The lowest layer of a property sheet: the item array it shows (not owned) and applying or
// reverting the items' values. Applying stores every item's working value into its bound
// variable, in array order; reverting puts the initial values back, but only once something was
// applied since the array was bound.
class CPropSheetCore
{
public:
    CPropSheetCore() = default;
    virtual ~CPropSheetCore() = default;
    CPropSheetCore(const CPropSheetCore &) = delete;
    CPropSheetCore &operator=(const CPropSheetCore &) = delete;

    CPropObArray *Items() const { return m_pItems; }
    // Binds another array (null for none); forgets that anything was applied.
    void SetItems(CPropObArray *items);

    // Stores every item without telling anybody.
    virtual void ApplyQuiet();
    // ApplyQuiet, then remembers that the sheet applied; derived sheets notify from here.
    virtual void Apply();
    // When applied: every bound variable takes its item's initial value again.
    virtual void RevertApplied();

    bool Applied() const { return m_bApplied; }

private:
    CPropObArray *m_pItems = nullptr;
    bool m_bApplied = false;
};
