#pragma once

#include "propgrid/CPropValueOb.h"

#include <string>

// A file reference property (a path as the page names it), chosen in a file dialog. The list
// shows only the file name, in lower case, or "(None)" for an empty value.
class CPropFile : public CPropValueOb<CPropFile, std::string>
{
public:
    // filterId: string id of a file-type filter ("description|pattern|...||"); 0 = all files.
    CPropFile(std::string *bound, int nameId, int filterId);

    const char *GetClassName() const override;
    bool GetValueText(std::string &text) const override;
    bool GetAsString(std::string &value) const override;
    bool SetAsString(const std::string &value) override;

    // The filter the file dialog offers: the item's filter string, or all files when the item
    // names none or its string is missing or empty.
    std::string GetFilter() const;

    int m_nFilterId;
};
