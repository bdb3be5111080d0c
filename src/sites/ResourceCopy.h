#pragma once

#include <cstdint>
#include <string>

class ProfileFile;

// Copying the files a page uses (images, sounds, videos, animations) into the page's resource
// folder, and telling the kind of a resource file.

// Copies source into the resource folder of the page at pagePath (GetResourceFolder) and
// returns the reference to write into the page: "sub-folder/name" when the page's folder is a
// site root with a resource sub-folder, else "name". A file already at the destination is never
// overwritten (the page then refers to that file); a missing resource folder is created first.
// A failed copy is not reported: the reference is returned all the same.
//
// numberedSet: copies the whole numbered set source belongs to ("star0001.gif",
// "star0002.gif", ... up to the first missing number) and returns "". A source whose name does
// not end in four digits is copied alone.
// destinationName: when given, the copy is made under that file name, the string receives the
// copy's full path and the reference names the copy.
// A page without a folder on disk (never saved, or opened from a web address) gets nothing
// copied and the source's own full path as reference. "" when source is shorter than 3
// characters.
std::string CopyResourceToSite(const std::string &pagePath, const std::string &source,
                               const ProfileFile &profile, bool numberedSet = false,
                               std::string *destinationName = nullptr);
// The same with the application profile.
std::string CopyResourceToSite(const std::string &pagePath, const std::string &source,
                               bool numberedSet = false, std::string *destinationName = nullptr);

// Resource kinds of GetResourceType.
enum ResourceKind : int16_t {
    ResourceUnknown = 0,
    ResourceImage = 1,
    ResourceSound = 2,
    ResourceAnimation = 3,
    ResourceVideo = 4,
};

// The kind of a file from its extension (path's own, or path itself when isExtension), in this
// order: "gif" is an animation; bmp, pcx, tga, jpg, jpeg, tif, tiff, dib, png, rle are images;
// avi, mpg, mpeg, mov videos; wav, mid, rmi sounds. Otherwise the folder words "videos/",
// "sounds/", "images/", "animations/" anywhere in the lower-case argument, in that order.
int16_t GetResourceType(const std::string &path, bool isExtension = false);
// A word for a kind: "unknown", "image", "sound", "animation", "video".
const char *ResourceKindName(int16_t kind);
