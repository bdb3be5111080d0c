#include "insert/RecordingFile.h"

#include "sites/ResourceCopy.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"

std::string PrepareRecordingFile(const std::string &name, const std::string &pagePath,
                                 const ProfileFile &profile)
{
    if (name.empty())
        return {};
    // Only an absolute path names a file: a relative one would depend on the working folder.
    const bool absolute = name.front() == '/';
    if (absolute && util::FileExists(name))
        return name;
    std::string target = name;
    if (util::PathFileName(target).find('.') == std::string::npos)
        target += ".wav";
    const std::string templatePath = util::ProgramFolder() + "Bin/Template.wav";
    std::string destination = target;
    CopyResourceToSite(pagePath, templatePath, profile, false, &destination);
    if (!destination.empty())
        return destination;
    // No page folder to copy into.
    destination = absolute ? target : util::JoinPath(util::UserDocumentsFolder(), target);
    util::MakeFolders(util::PathFolder(destination));
    util::CopyFileNoOverwrite(templatePath, destination);
    return destination;
}

std::string PrepareRecordingFile(const std::string &name, const std::string &pagePath)
{
    return PrepareRecordingFile(name, pagePath, util::AppProfile());
}
