#include "gallery/ObjectGallery.h"

#include "pagetext/CHtmlText.h"
#include "sites/ResourceCopy.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include <algorithm>
#include <cstdlib>

namespace gallery {

namespace {

// Numbered keys are read up to the first gap, and never more than this many.
constexpr int kMaxNumberedKeys = 10000;

} // namespace

std::string ObjectsFolder()
{
    return util::ProgramFolder() + "Bin/Objects/";
}

std::vector<std::string> ObjectCategories(const std::string &objectsFolder)
{
    return util::ListFolders(objectsFolder);
}

std::vector<ObjectEntry> ListObjects(const std::string &categoryFolder)
{
    std::vector<ObjectEntry> objects;
    for (const std::string &file : util::ListFiles(categoryFolder, "*.ico")) {
        const size_t dot = file.rfind('.');
        objects.push_back({file.substr(0, dot), util::JoinPath(categoryFolder, file)});
    }
    std::sort(objects.begin(), objects.end(),
              [](const ObjectEntry &a, const ObjectEntry &b) { return a.name < b.name; });
    return objects;
}

std::string ObjectsIniPath(const std::string &objectsFolder, const std::string &category)
{
    return util::JoinPath(util::JoinPath(objectsFolder, category), "Objects.ini");
}

ObjectSection ReadObjectSection(const ProfileFile &ini, const std::string &object)
{
    ObjectSection section;
    ini.GetString(object, "Desc", section.desc);
    std::string value;
    for (int n = 0; n < kMaxNumberedKeys; ++n) {
        if (!ini.GetString(object, std::to_string(n), value))
            break;
        section.html += value;
    }
    for (int n = 0; n < kMaxNumberedKeys; ++n) {
        if (!ini.GetString(object, "L" + std::to_string(n), value))
            break;
        section.resources.push_back(value);
    }
    section.hasMessage = ini.GetString(object, "Message", section.message);
    return section;
}

std::string ReplaceResourcePlaceholders(std::string html, size_t count,
                                        const std::function<int()> &draw)
{
    CHtmlText text(html);
    for (size_t n = 0; n < count; ++n) {
        // 0 .. 32767 whatever the library's RAND_MAX: names stay short.
        const int number = draw ? draw() : std::rand() % 32768;
        const std::string name = "R" + std::to_string(number);
        text.ReplaceMacro("L" + std::to_string(n), name);
    }
    return html;
}

std::string PrepareObjectHtml(const ObjectSection &section, const std::string &pagePath,
                              const ProfileFile &profile, const std::function<int()> &draw)
{
    for (std::string resource : section.resources) {
        CHtmlText(resource).ReplaceMacro("App");
        // Objects written for other systems separate folders with backslashes.
        std::replace(resource.begin(), resource.end(), '\\', '/');
        CopyResourceToSite(pagePath, resource, profile);
    }
    return ReplaceResourcePlaceholders(section.html, section.resources.size(), draw);
}

} // namespace gallery
