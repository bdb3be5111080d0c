#pragma once

#include <string>
#include <vector>

class ProfileFile;

// The site definitions kept in section "Sites" of the application profile. A site has a name,
// a root folder and a resource sub-folder (relative to the root; empty means the root itself).
//
// Keys, all in the one section:
//   "Items"                   number of sites in the list
//   "0", "1", ...             the site names in list order
//   <site name>               the site's root folder
//   <root folder, lower case> the resource sub-folder (no key when it is empty)
// The root-folder key is in lower case so that a lookup ignores letter case; the values keep
// their spelling, because on this platform the folder that receives copies must be named as it
// is on disk. A name that is a number, "Items" or the lower-case form of a root folder would
// collide with another key; Validate refuses such names for new definitions, and the reading
// side takes a stored file as it is.
//
// Removing a site rewrites only "Items" and the numbered keys; the name and root keys of removed
// sites stay behind (older files have them too).
class SiteDefinitions
{
public:
    static constexpr const char *kSection = "Sites";
    static constexpr const char *kItemsKey = "Items";

    explicit SiteDefinitions(ProfileFile &profile);

    // The stored list: "0" .. Items - 1, skipping missing or empty entries.
    std::vector<std::string> Names() const;
    std::string RootFolder(const std::string &name) const;
    // The resource sub-folder stored for a root folder (looked up by its lower-case form).
    std::string SubFolder(const std::string &rootFolder) const;

    // Why a new definition cannot be stored as given, or "" when it can. Checks that would
    // otherwise corrupt the section: key collisions, "=" in keys, line breaks in any part, a
    // name that the profile could not read back (starting with "[" or ";"). ignoreSite names a
    // listed site that is about to be replaced (Update) and so cannot collide.
    std::string Validate(const std::string &name, const std::string &rootFolder,
                         const std::string &subFolder, const std::string &ignoreSite = {}) const;

    // Appends a site: numbered key Items, name -> root, lower(root) -> sub-folder (removed when
    // empty), Items + 1. Trailing "/" of the root folder are dropped so that it compares with a
    // page's folder. Does nothing and returns false when name or root folder is empty. The
    // profile is not saved.
    bool Add(const std::string &name, const std::string &rootFolder, const std::string &subFolder);
    // Rewrites "Items" and the numbered keys from names.
    void WriteList(const std::vector<std::string> &names);

    // Normal form of a root folder as stored: blanks around it and trailing "/" removed ("/"
    // itself stays).
    static std::string NormalRoot(const std::string &folder);

private:
    ProfileFile &m_profile;
};

// Where resources of the page at pagePath are copied: the page's own folder (spelled as in
// pagePath, without a trailing "/"), plus "/" + the resource sub-folder when that folder is a
// site root with one. Only the page's own folder is looked up, not its parents. A "file:" URL
// counts as its path; any other URL, and an empty path, give an empty folder.
struct ResourceFolder
{
    std::string folder;
    std::string subFolder;
};
ResourceFolder GetResourceFolder(const std::string &pagePath, const ProfileFile &profile);
// The same with the application profile.
ResourceFolder GetResourceFolder(const std::string &pagePath);
