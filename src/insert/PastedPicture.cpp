#include "insert/PastedPicture.h"

#include "imagelib/CBmp.h"
#include "pagetext/PageProperties.h"
#include "sites/SiteDefinitions.h"
#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include <filesystem>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kTinySide = 5;
constexpr int kFallbackSide = 200;

} // namespace

PastedPictureTarget PastedPictureTargetFor(const std::string &pagePath, const ProfileFile &profile)
{
    const ResourceFolder resources = GetResourceFolder(pagePath, profile);
    return {resources.folder, resources.subFolder};
}

std::string NextPastedPictureName(const std::string &folder)
{
    for (int n = 1;; ++n) {
        const std::string name = util::Format("img%04d.jpg", n);
        const std::string path = util::JoinPath(folder, name);
        if (!util::FileExists(path) && !util::FolderExists(path))
            return name;
    }
}

PastedPictureSize PastedPictureSizeFor(int width, int height)
{
    if (width < kTinySide && height < kTinySide)
        return {kFallbackSide, kFallbackSide};
    return {width < 1 ? 1 : width, height < 1 ? 1 : height};
}

std::string PastedPictureHtml(const std::string &subFolder, const std::string &name)
{
    const std::string prefix = subFolder.empty() ? std::string() : subFolder + "/";
    // A typed name is a file name, not a piece of address: the characters that would start a
    // query or a fragment, or an escape, are written escaped.
    std::string reference;
    for (char c : name) {
        if (c == '%')
            reference += "%25";
        else if (c == '#')
            reference += "%23";
        else if (c == '?')
            reference += "%3F";
        else
            reference += c;
    }
    return "<img align=baseline alt=\"\" border=0 hspace=0 src=\"" +
           EncodeHtmlAttribute(prefix + reference) + "\">\n";
}

bool WritePastedPicture(const CBmp &picture, const std::string &folder, const std::string &name,
                        std::string *error)
{
    // Never relative to the working folder: a page without a folder has nowhere to put files.
    if (folder.empty()) {
        if (error)
            *error = "the page has no folder on disk";
        return false;
    }
    // A new site's resource folder does not exist until its first file arrives. The folders made
    // here, deepest first, go again when the picture cannot be written.
    std::vector<std::filesystem::path> made;
    for (std::filesystem::path at(folder); !at.empty() && !util::FolderExists(at.string());
         at = at.parent_path()) {
        made.push_back(at);
        if (at == at.parent_path())
            break;
    }
    const auto takeBackFolders = [&made] {
        for (const std::filesystem::path &at : made)
            ::rmdir(at.c_str()); // only an empty folder goes
    };
    if (!made.empty() && !util::MakeFolders(folder)) {
        takeBackFolders();
        if (error)
            *error = "cannot create the folder " + folder;
        return false;
    }
    if (picture.SaveAsJpeg(util::JoinPath(folder, name)))
        return true;
    takeBackFolders();
    if (error)
        *error = picture.LastError();
    return false;
}
