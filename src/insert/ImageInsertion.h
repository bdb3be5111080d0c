#pragma once

#include "insert/CImageObject.h"

#include <string>
#include <vector>

class ProfileFile;

// The values of the Insert image dialog as it closes with OK: the files as the user gave them
// (full paths, or anything typed), the names and the behaviour.
struct ImageDialogValues
{
    std::string name;
    std::string source;
    std::string rollover;
    std::string sound;
    std::string clickPopup;
    std::string hoverPopup;
    std::string alt;
    std::string link;
    int clickAction = ClickNothing;
    bool invisible = false;
    int randomSetSize = 0; // counted by the dialog's last preview
};

// What a caller may preset before the dialog opens.
struct ImagePreset
{
    std::string name;
    std::string source;
    int clickAction = ClickNothing;
};

// The preset of a gallery file: the file as source and a free name taken from it. With
// clickFromPath (a file activated in the gallery tree) the click action comes from the file's
// path below the clip-art folder (the part after the last "/Clipart/"; the file's name for a
// file elsewhere), lower-cased: "home" gives Go to home page, else "prev" Go to previous page,
// else "next" Go to next page; otherwise (Preview and Insert) no action.
ImagePreset GalleryImagePreset(const std::string &file, const std::vector<std::string> &names,
                               bool clickFromPath);
// Whether activating a gallery file opens the Insert image dialog: an image or an animation
// (GetResourceType) that does not lie in a "Backgrounds/" folder.
bool OpensImageDialog(const std::string &file);

// The insertion after OK: copies the source, rollover and sound into the resource folder of the
// page at pagePath (CopyResourceToSite), a link that names an existing file too, and for the
// random-image action with a counted set the whole numbered set; then builds the image tag with
// the page references. The values are used as given (the dialog has made the name valid).
std::string BuildInsertedImage(const ImageDialogValues &values, const std::string &pagePath,
                               const ProfileFile &profile);
// The same with the application profile.
std::string BuildInsertedImage(const ImageDialogValues &values, const std::string &pagePath);
