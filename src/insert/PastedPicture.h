#pragma once

#include <string>

class CBmp;
class ProfileFile;

// A picture pasted from the clipboard becomes a JPEG file in the page's resource folder and an
// image tag in the page. These are the parts that need no window: where the file goes, its
// default name, the size the picture is drawn at and the tag.

// Where the picture of the page at pagePath is written and the folder part of its reference:
// the page's resource folder and resource sub-folder (GetResourceFolder). folder is empty when
// the page has no folder on disk (never saved, or opened from a web address).
struct PastedPictureTarget
{
    std::string folder;
    std::string subFolder;
};
PastedPictureTarget PastedPictureTargetFor(const std::string &pagePath, const ProfileFile &profile);

// "img0001.jpg", "img0002.jpg", ...: the first number from 1 upward whose name is free in
// folder (no file and no folder of that name).
std::string NextPastedPictureName(const std::string &folder);

// The size a picture of width x height device pixels is drawn at: its own, or 200 x 200 when
// both sides are below 5. A side of 0 or less next to a usable one becomes 1, so that there is
// always a bitmap to draw into.
struct PastedPictureSize
{
    int width = 0;
    int height = 0;
};
PastedPictureSize PastedPictureSizeFor(int width, int height);

// The tag that refers to the written file: subFolder and "/" (when there is a sub-folder), then
// the name. A double quote or ampersand in the reference (a name the user typed) is written as
// a character reference so that the attribute stays whole.
std::string PastedPictureHtml(const std::string &subFolder, const std::string &name);

// Writes picture as a JPEG file named name in folder, whatever the name's extension; a missing
// resource folder is created first; an empty folder writes nothing. An existing file of that name
// is replaced all at once. false when the file could not be written (error, when given, says why).
bool WritePastedPicture(const CBmp &picture, const std::string &folder, const std::string &name,
                        std::string *error = nullptr);
