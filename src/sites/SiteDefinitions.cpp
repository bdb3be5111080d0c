#include "sites/SiteDefinitions.h"

#include "sites/PagePath.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"
#include "util/StringUtil.h"

#include <climits>

namespace {

bool hasLineBreak(const std::string &text)
{
    return text.find_first_of("\r\n") != std::string::npos;
}

// The numbered keys are the decimal text of a 16-bit index.
bool isIndexKey(const std::string &name)
{
    if (name.empty() || name.size() > 6)
        return false;
    const long value = util::ParseDecimal(name);
    return value >= SHRT_MIN && value <= SHRT_MAX && std::to_string(value) == name;
}

} // namespace

SiteDefinitions::SiteDefinitions(ProfileFile &profile)
    : m_profile(profile)
{}

std::vector<std::string> SiteDefinitions::Names() const
{
    std::vector<std::string> names;
    int count = 0;
    if (!m_profile.GetInt(kSection, kItemsKey, count))
        return names;
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (m_profile.GetIndexed(kSection, i, name) && !name.empty())
            names.push_back(name);
    }
    return names;
}

std::string SiteDefinitions::RootFolder(const std::string &name) const
{
    std::string root;
    m_profile.GetString(kSection, name, root);
    return root;
}

std::string SiteDefinitions::SubFolder(const std::string &rootFolder) const
{
    std::string sub;
    if (!rootFolder.empty())
        m_profile.GetString(kSection, util::ToLowerAscii(NormalRoot(rootFolder)), sub);
    return sub;
}

std::string SiteDefinitions::Validate(const std::string &name, const std::string &rootFolder,
                                      const std::string &subFolder,
                                      const std::string &ignoreSite) const
{
    const std::string root = NormalRoot(rootFolder);
    const std::string rootKey = util::ToLowerAscii(root);
    if (name.empty() || root.empty())
        return {}; // nothing would be stored
    if (name == kItemsKey || isIndexKey(name))
        return "A site cannot be named \"" + name + "\": the site list uses that name itself.";
    if (name.find('=') != std::string::npos || hasLineBreak(name) || name.front() == '[' ||
        name.front() == ';')
        return "A site name cannot contain \"=\" or a line break, nor begin with \"[\" or \";\".";
    if (root.find('=') != std::string::npos || hasLineBreak(root) || hasLineBreak(subFolder))
        return "A root folder cannot contain \"=\" or a line break, nor can a sub-folder contain "
               "a line break.";
    if (rootKey == kItemsKey || isIndexKey(rootKey))
        return "The root folder \"" + root +
               "\" cannot be used: the site list uses that name itself.";
    // A name equal to a lower-case root folder shares its key with that folder's sub-folder.
    const std::vector<std::string> names = Names();
    for (const std::string &other : names) {
        if (other == ignoreSite)
            continue;
        if (other == rootKey)
            return "The root folder \"" + root + "\" has the same name as the site \"" + other +
                   "\".";
        if (name == util::ToLowerAscii(NormalRoot(RootFolder(other))))
            return "A site cannot be named like the root folder of the site \"" + other + "\".";
    }
    if (name == rootKey)
        return "A site cannot be named like its own root folder.";
    return {};
}

bool SiteDefinitions::Add(const std::string &name, const std::string &rootFolder,
                          const std::string &subFolder)
{
    const std::string root = NormalRoot(rootFolder);
    if (name.empty() || root.empty())
        return false;
    int count = 0;
    if (!m_profile.GetInt(kSection, kItemsKey, count) || count < 0)
        count = 0;
    m_profile.SetIndexed(kSection, count, name);
    m_profile.SetString(kSection, name, root);
    m_profile.SetString(kSection, util::ToLowerAscii(root), subFolder);
    m_profile.SetInt(kSection, kItemsKey, count + 1);
    return true;
}

void SiteDefinitions::WriteList(const std::vector<std::string> &names)
{
    m_profile.SetInt(kSection, kItemsKey, static_cast<int>(names.size()));
    for (size_t i = 0; i < names.size(); ++i)
        m_profile.SetIndexed(kSection, static_cast<int>(i), names[i]);
}

std::string SiteDefinitions::NormalRoot(const std::string &folder)
{
    std::string root(util::TrimWhite(folder));
    while (root.size() > 1 && root.back() == '/')
        root.pop_back();
    return root;
}

ResourceFolder GetResourceFolder(const std::string &pagePath, const ProfileFile &profile)
{
    ResourceFolder result;
    // A page from a web address has no folder here.
    std::string folder = util::PathFolder(LocalPagePath(pagePath));
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    result.folder = folder;
    if (folder.empty())
        return result;
    profile.GetString(SiteDefinitions::kSection, util::ToLowerAscii(folder), result.subFolder);
    if (!result.subFolder.empty())
        result.folder = folder == "/" ? "/" + result.subFolder : folder + "/" + result.subFolder;
    return result;
}

ResourceFolder GetResourceFolder(const std::string &pagePath)
{
    return GetResourceFolder(pagePath, util::AppProfile());
}
