#pragma once

#include <string>

class ProfileFile;

// The application-wide settings store ("Tandem.ini") and the places of the files the program
// writes beside itself.
namespace util {

// Where "Tandem.ini" lives: the program folder when it is writable (never for an installed
// program), else the user's configuration folder ("Torvane/Tandem.ini" there).
std::string AppProfilePath();
// Where the preview page "Temp.htm" is written: the program's "Bin/" when writable (never for
// an installed program), else the user's cache folder ("Torvane/Temp.htm" there).
std::string AppTempPagePath();

// The one store of the run. LoadAppProfile reads it from AppProfilePath() (or from path when
// given); a missing file gives an empty store that saves to that path.
ProfileFile &AppProfile();
bool LoadAppProfile(const std::string &path = std::string());

} // namespace util
