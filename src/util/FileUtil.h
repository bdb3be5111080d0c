#pragma once

#include <functional>
#include <string>
#include <vector>

// Path and file helpers shared by every subsystem. Paths are native (UTF-8 bytes, "/" as the
// separator). A folder returned by these helpers ends with "/" unless it is empty.
namespace util {

// The program folder, with a trailing "/": the folder of the running executable when the
// installation data lies beside it (a build tree), else the installed data folder beside bin/
// ("<prefix>/share/pelion/"). Tests may point it elsewhere with SetProgramFolder; an empty
// argument restores the real one.
std::string ProgramFolder();
void SetProgramFolder(const std::string &folder);
// The program folder that belongs to an executable in exeFolder, as above; installed tells
// whether it is the installed data folder.
std::string ProgramFolderForExecutable(const std::string &exeFolder, bool *installed = nullptr);
// True when the program runs from an installed layout. Its data folder belongs to the package
// manager and is shared by every user, so the program never writes there, even when it could
// (as root); files written beside the program then go to the user's folders.
bool ProgramFolderIsInstalled();
// IsFolderWritable for a folder of the program folder, false for an installed layout.
bool IsProgramFolderWritable(const std::string &folder);

// Parts of a path. The drive is always empty on this platform. PathFolder("/a/b.htm") is "/a/",
// PathFileTitle is "b", PathExtension is "htm" (without the dot; empty when there is none).
std::string PathDrive(const std::string &path);
std::string PathFolder(const std::string &path);
std::string PathFileName(const std::string &path);
std::string PathFileTitle(const std::string &path);
std::string PathExtension(const std::string &path);
// Joins a folder and a name with exactly one "/" between them.
std::string JoinPath(const std::string &folder, const std::string &name);

bool FileExists(const std::string &path);   // a regular file (or a link to one)
bool FolderExists(const std::string &path); // a directory
bool IsFolderWritable(const std::string &folder);

// Names (not paths) of the regular files directly in a folder whose name matches a shell-style
// pattern ("*.htt", "page????.html"); the match ignores case. Sorted by name.
std::vector<std::string> ListFiles(const std::string &folder, const std::string &pattern);
// Names of the sub-folders directly in a folder, sorted.
std::vector<std::string> ListFolders(const std::string &folder);

// Creates every missing folder level of a path; true when the folder exists afterwards.
bool MakeFolders(const std::string &folder);

// Reads a whole file as bytes; false (and out empty) when it cannot be read.
bool ReadFile(const std::string &path, std::string &out, std::string *error = nullptr);

// Replaces a file's content all at once: the data goes to a temporary file in the same folder,
// is flushed to disk and then renamed over the target (and the folder synced), so a failing or
// interrupted write leaves the old file as it was. Keeps an existing file's permission bits; a
// symbolic link is kept and its target written, in the target's folder. On failure returns
// false, leaves no temporary file behind and, when error is given, says why.
//
// When the folder takes no new file but the existing file is writable, the file is rewritten in
// place instead: the space is reserved first, so a full disk fails before the old content is
// touched, and a write failing later puts the old content back. Such a write is not atomic (a
// crash in the middle can leave a mixed file); wroteInPlace, when given, tells whether it
// happened.
bool WriteFileAtomic(const std::string &path, const std::string &data, std::string *error = nullptr,
                     bool *wroteInPlace = nullptr);

// Fault injection for tests: while set, WriteFileAtomic calls the hook with the target path
// after writing half of the data to the temporary file; returning false makes the write fail
// there (as a full disk would).
void SetWriteFaultHook(std::function<bool(const std::string &path)> hook);

// The user's folders (XDG): configuration, cache and documents. Each ends with "/".
std::string UserConfigFolder();
std::string UserCacheFolder();
std::string UserDocumentsFolder();

// Copies a file; never overwrites an existing destination (false then). The destination appears
// only whole: a copy that fails or is cut short leaves no file of that name.
bool CopyFileNoOverwrite(const std::string &from, const std::string &to);

} // namespace util
