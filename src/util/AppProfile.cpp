#include "util/AppProfile.h"

#include "util/FileUtil.h"
#include "util/ProfileFile.h"

namespace util {

std::string AppProfilePath()
{
    const std::string program = ProgramFolder();
    if (IsProgramFolderWritable(program))
        return program + "Tandem.ini";
    const std::string folder = UserConfigFolder() + "Torvane/";
    MakeFolders(folder);
    return folder + "Tandem.ini";
}

std::string AppTempPagePath()
{
    const std::string bin = ProgramFolder() + "Bin/";
    if (IsProgramFolderWritable(bin))
        return bin + "Temp.htm";
    const std::string folder = UserCacheFolder() + "Torvane/";
    MakeFolders(folder);
    return folder + "Temp.htm";
}

ProfileFile &AppProfile()
{
    static ProfileFile profile;
    return profile;
}

bool LoadAppProfile(const std::string &path)
{
    ProfileFile &profile = AppProfile();
    profile.Clear();
    return profile.Load(path.empty() ? AppProfilePath() : path);
}

} // namespace util
