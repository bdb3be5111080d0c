#include "sites/ResourceCopy.h"

#include "sites/PagePath.h"
#include "sites/SiteDefinitions.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include <cctype>

namespace {

// Copies one file into the page's resource folder; returns the page reference.
std::string copyOne(const std::string &pageFile, const std::string &source,
                    const ProfileFile &profile, std::string *destinationName)
{
    const ResourceFolder target = GetResourceFolder(pageFile, profile);
    const std::string name = destinationName && !destinationName->empty()
                                 ? util::PathFileName(*destinationName)
                                 : util::PathFileName(source);
    const std::string destination = util::JoinPath(target.folder, name);
    if (destinationName)
        *destinationName = destination;
    // A new site's resource folder ("media") does not exist until its first resource arrives.
    if (!util::FolderExists(target.folder))
        util::MakeFolders(target.folder);
    util::CopyFileNoOverwrite(source, destination); // an existing file stays; failures are silent
    return target.subFolder.empty() ? name : target.subFolder + "/" + name;
}

bool endsWithFourDigits(const std::string &title)
{
    if (title.size() < 4)
        return false;
    for (size_t i = title.size() - 4; i < title.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(title[i])))
            return false;
    }
    return true;
}

} // namespace

std::string CopyResourceToSite(const std::string &pagePath, const std::string &source,
                               const ProfileFile &profile, bool numberedSet,
                               std::string *destinationName)
{
    if (source.size() < 3) {
        if (destinationName)
            destinationName->clear();
        return {};
    }
    // Without a folder on disk there is nowhere to copy to; the page refers to the source.
    const std::string pageFile = LocalPagePath(pagePath);
    const std::string pageFolder = util::PathFolder(pageFile);
    if (pageFolder.empty() || !util::FolderExists(pageFolder)) {
        if (destinationName)
            destinationName->clear();
        return numberedSet ? std::string() : source;
    }
    if (!numberedSet)
        return copyOne(pageFile, source, profile, destinationName);

    // The set is named by the file title without its last four characters; the folder may hold
    // dots of its own ("/My.Pics/star0001.gif"), so only the file name is split.
    const std::string name = util::PathFileName(source);
    const size_t dot = name.rfind('.');
    const std::string title = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : name.substr(dot);
    if (!endsWithFourDigits(title)) {
        copyOne(pageFile, source, profile, nullptr);
        return {};
    }
    const std::string base = util::PathFolder(source) + title.substr(0, title.size() - 4);
    for (int n = 1; n <= 9999; ++n) {
        const std::string member = util::Format("%s%04d%s", base.c_str(), n, extension.c_str());
        if (!util::FileExists(member))
            return {};
        copyOne(pageFile, member, profile, nullptr);
    }
    return copyOne(pageFile, source, profile, destinationName);
}

std::string CopyResourceToSite(const std::string &pagePath, const std::string &source,
                               bool numberedSet, std::string *destinationName)
{
    return CopyResourceToSite(pagePath, source, util::AppProfile(), numberedSet, destinationName);
}

int16_t GetResourceType(const std::string &path, bool isExtension)
{
    std::string extension = isExtension ? path : util::PathExtension(path);
    if (isExtension && !extension.empty() && extension.front() == '.')
        extension.erase(0, 1);
    extension = util::ToLowerAscii(extension);
    if (extension == "gif")
        return ResourceAnimation;
    for (const char *image :
         {"bmp", "pcx", "tga", "jpg", "jpeg", "tif", "tiff", "dib", "png", "rle"})
        if (extension == image)
            return ResourceImage;
    for (const char *video : {"avi", "mpg", "mpeg", "mov"})
        if (extension == video)
            return ResourceVideo;
    for (const char *sound : {"wav", "mid", "rmi"})
        if (extension == sound)
            return ResourceSound;
    const std::string lower = util::ToLowerAscii(path);
    if (lower.find("videos/") != std::string::npos)
        return ResourceVideo;
    if (lower.find("sounds/") != std::string::npos)
        return ResourceSound;
    if (lower.find("images/") != std::string::npos)
        return ResourceImage;
    if (lower.find("animations/") != std::string::npos)
        return ResourceAnimation;
    return ResourceUnknown;
}

const char *ResourceKindName(int16_t kind)
{
    switch (kind) {
    case ResourceImage:
        return "image";
    case ResourceSound:
        return "sound";
    case ResourceAnimation:
        return "animation";
    case ResourceVideo:
        return "video";
    default:
        return "unknown";
    }
}
