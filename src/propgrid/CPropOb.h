#pragma once

#include <cstdint>
#include <string>

class CPropDataExchange;
class CPropSheetCore;
class CPropTextControl;

// Value kinds of the items; the panel's data exchange switches on them.
namespace proptype {
inline constexpr int Int = 0;
inline constexpr int Long = 1;
inline constexpr int Double = 2;
inline constexpr int String = 3;
inline constexpr int Choice = 4;
inline constexpr int Color = 5;
inline constexpr int Font = 6;
inline constexpr int File = 7;
inline constexpr int EditCombo = 17;
} // namespace proptype

// Ids of the in-place editors in the panel dialog.
namespace propeditor {
inline constexpr int Edit = 27650;
inline constexpr int DropDownList = 27651;
inline constexpr int ColorList = 27649;
inline constexpr int Browse = 27652;
inline constexpr int EditCombo = 27657;
} // namespace propeditor

// One row of the property list: a named value of a fixed type bound to a variable that somebody
// else owns (the page document). The item keeps a working copy of the value, which the panel
// edits, and the initial value it found at construction, which Revert restores. Store writes
// the working copy to the bound variable, Refresh reads the variable back.
//
// The item does not own its bound variable; the variable must outlive the item. A null bound
// pointer is allowed: such an item stores nothing and its typed accessors fail.
//
// Operations taking another item (IsEqual, CopyValue, StoreFrom) expect an item of the same
// class; with an item of another value type they do nothing (IsEqual gives false).
class CPropOb
{
public:
    CPropOb(int nameId, bool validate);
    virtual ~CPropOb();
    CPropOb(const CPropOb &) = delete;
    CPropOb &operator=(const CPropOb &) = delete;

    // The run-time class record: the class's own name ("CPropOb", "CPropStr", ...).
    virtual const char *GetClassName() const;

    virtual bool IsEqual(const CPropOb &other) const = 0;
    virtual void CopyValue(const CPropOb &other);
    virtual void Store() = 0;
    virtual void StoreFrom(const CPropOb &other) = 0;
    virtual void Revert() = 0;
    // Takes the bound variable into the working value when they differ; true when it did.
    virtual bool Refresh();
    // An extra check of an edited text, run after the length check; reject with dx.Fail().
    virtual void Validate(CPropDataExchange &dx, const std::string &text);
    // Called after the panel took a new value from the editor.
    virtual void OnChanged();
    // Empty for name id -1 and -2; else the name text when set, else the string of name id.
    virtual std::string GetName() const;
    // The value as the list shows it; false (and text empty) when the item has no value text.
    virtual bool GetValueText(std::string &text) const;
    // Sets the control's text to the string of caption id (empty when it has none).
    virtual void SetCaption(CPropTextControl &control) const;
    virtual int GetCategory() const;
    // True when browsing reports its result later instead of on return.
    virtual bool IsModelessBrowse() const;

    // Typed access to the bound variable (not the working value). The base has none: getters
    // give an empty or zero value and false, setters false.
    virtual bool GetAsString(std::string &value) const;
    virtual bool GetAsDouble(double &value) const;
    virtual bool GetAsLong(std::int32_t &value) const;
    virtual bool GetAsInt(int &value) const;
    virtual bool SetAsString(const std::string &value);
    virtual bool SetAsDouble(double value);
    virtual bool SetAsLong(std::int32_t value);
    virtual bool SetAsInt(int value);

    // True for colour items, which the list draws with a swatch.
    bool IsColorItem() const;

    int m_nEditorId = 0;   // propeditor::*
    int m_nTypeCode = 0;   // proptype::*
    int m_nCaptionId = -1; // string id of the browse caption, -1 for none
    int m_nNameId;         // 0: the item did not read its variable; -1, -2: no name at all
    std::string m_strName; // shown instead of the string of m_nNameId when not empty
    int m_bEditable = 1;   // 0: read-only row
    int m_bApplyOnChange = 0;
    int m_nCategory = 0;                // tab index when the panel shows category tabs
    int m_bValidate;                    // the panel checks range or length of an edited text
    CPropSheetCore *m_pSheet = nullptr; // the panel listing the item; set by the panel

protected:
    // Construction reads the bound variable only for a non-zero name id.
    bool ReadsBoundAtConstruction() const { return m_nNameId != 0; }
};
