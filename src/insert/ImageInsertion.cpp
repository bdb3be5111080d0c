#include "insert/ImageInsertion.h"

#include "insert/ObjectNames.h"
#include "sites/ResourceCopy.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"
#include "util/StringUtil.h"

ImagePreset GalleryImagePreset(const std::string &file, const std::vector<std::string> &names,
                               bool clickFromPath)
{
    ImagePreset preset;
    preset.source = file;
    preset.name = UniqueNameFromPath(file, names);
    if (clickFromPath) {
        // Only the path inside the clip-art folder counts: a program installed below a folder
        // called "home" (as every user's folder is) must not give every picture that action.
        const size_t clipArt = file.rfind("/Clipart/");
        const size_t slash = file.rfind('/');
        const size_t start = clipArt != std::string::npos ? clipArt + 9
                             : slash != std::string::npos ? slash + 1
                                                          : 0;
        const std::string path = util::ToLowerAscii(file.substr(start));
        if (path.find("home") != std::string::npos)
            preset.clickAction = ClickGoHome;
        else if (path.find("prev") != std::string::npos)
            preset.clickAction = ClickGoPrevious;
        else if (path.find("next") != std::string::npos)
            preset.clickAction = ClickGoNext;
    }
    return preset;
}

bool OpensImageDialog(const std::string &file)
{
    const int16_t kind = GetResourceType(file);
    return (kind == ResourceImage || kind == ResourceAnimation) &&
           file.find("Backgrounds/") == std::string::npos;
}

std::string BuildInsertedImage(const ImageDialogValues &values, const std::string &pagePath,
                               const ProfileFile &profile)
{
    CImageObject image;
    image.m_strName = values.name;
    image.m_strValue = CopyResourceToSite(pagePath, values.source, profile);
    image.m_strRollover = CopyResourceToSite(pagePath, values.rollover, profile);
    image.m_strSound = CopyResourceToSite(pagePath, values.sound, profile);
    image.m_bInvisible = values.invisible;
    image.m_strClickPopup = values.clickPopup;
    image.m_nClickAction = static_cast<ClickAction>(values.clickAction);
    image.m_strHoverPopup = values.hoverPopup;
    image.m_strAlt = values.alt;
    // A link to a file goes with the page; anything else (an address, a page name) is used as
    // typed. Only an absolute path names a file: a relative one would depend on the working
    // folder of the program.
    const bool linkIsFile =
        !values.link.empty() && values.link.front() == '/' && util::FileExists(values.link);
    image.m_strLink = linkIsFile ? CopyResourceToSite(pagePath, values.link, profile) : values.link;
    if (values.clickAction == ClickRandomImage) {
        image.m_nRandomSetSize = static_cast<std::int16_t>(values.randomSetSize);
        if (values.randomSetSize != 0)
            CopyResourceToSite(pagePath, values.source, profile, true);
    }
    return image.GetHtml();
}

std::string BuildInsertedImage(const ImageDialogValues &values, const std::string &pagePath)
{
    return BuildInsertedImage(values, pagePath, util::AppProfile());
}
