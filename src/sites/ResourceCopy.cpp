#include "sites/ResourceCopy.h"

#include "sites/SiteDefinitions.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include <cctype>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string percentDecode(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A URL scheme ("http:", "file:") at the start of text: letters, digits, "+", "-", "." after a
// first letter, then ":".
size_t schemeLength(const std::string &text)
{
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])))
        return 0;
    for (size_t i = 1; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ':')
            return i;
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return 0;
    }
    return 0;
}

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

std::string LocalPagePath(const std::string &pagePath)
{
    if (pagePath.empty() || pagePath.front() == '/')
        return pagePath;
    const size_t scheme = schemeLength(pagePath);
    if (scheme == 0)
        return pagePath; // a relative path
    if (!util::EqualsIgnoreCaseAscii(pagePath.substr(0, scheme), "file"))
        return {};
    std::string rest = pagePath.substr(scheme + 1);
    if (rest.rfind("//", 0) == 0) {
        rest.erase(0, 2);
        const size_t slash = rest.find('/');
        const std::string host = slash == std::string::npos ? rest : rest.substr(0, slash);
        if (!host.empty() && !util::EqualsIgnoreCaseAscii(host, "localhost"))
            return {}; // a file on another machine
        rest = slash == std::string::npos ? std::string() : rest.substr(slash);
    }
    const size_t query = rest.find_first_of("?#");
    if (query != std::string::npos)
        rest.erase(query);
    rest = percentDecode(rest);
    return !rest.empty() && rest.front() == '/' ? rest : std::string();
}

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
