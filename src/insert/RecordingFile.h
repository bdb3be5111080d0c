#pragma once

#include <string>

class ProfileFile;

// The file a sound is recorded into. An existing file of that name (an absolute path) is used
// as it is. Otherwise ".wav" is added to a file name without a dot and the program's recording
// template "Bin/Template.wav" is copied under that name into the resource folder of the page at
// pagePath (CopyResourceToSite), so that the file exists even when nothing is recorded; the
// result is the copy's full path. A page without a folder on disk gets the copy at the name
// itself when that is an absolute path, else in the user's documents folder. "" for an empty
// name.
std::string PrepareRecordingFile(const std::string &name, const std::string &pagePath,
                                 const ProfileFile &profile);
// The same with the application profile.
std::string PrepareRecordingFile(const std::string &name, const std::string &pagePath);
