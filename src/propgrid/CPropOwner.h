#pragma once

#include <string>

class CPropObArray;

// The object whose properties the property panel shows (the page document). The owner keeps the
// items; the panel binds to them and reports every committed change.
class CPropOwner
{
public:
    virtual ~CPropOwner() = default;
    virtual CPropObArray &PropertyItems() = 0;
    // The items' values were stored into the owner's variables.
    virtual void PropertiesApplied() = 0;
    // The folder that file references are relative to ("" when there is none, as for a page
    // from a web address), and the folder a file dialog starts in.
    virtual std::string ReferenceFolder() const = 0;
    virtual std::string BrowseFolder() const = 0;
};
