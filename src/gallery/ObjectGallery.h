#pragma once

#include <functional>
#include <string>
#include <vector>

class ProfileFile;

// The ready-made page objects under "Bin/Objects/" of the program folder. Every sub-folder is a
// category; every ".ico" file in it is one object, named by the file name without its last
// extension; the category's "Objects.ini" holds one section per object:
//   Desc     the one-line description
//   0, 1, …  the object's HTML in pieces, joined as they are up to the first missing number
//   L0, L1, … files the object needs, "$(App)" standing for the program folder; the n-th file
//            also names the placeholder $(Ln) of the HTML
//   Message  an optional text shown after the object was inserted
namespace gallery {

// "<program folder>Bin/Objects/".
std::string ObjectsFolder();
// The categories of an objects folder, sorted; none when it does not exist.
std::vector<std::string> ObjectCategories(const std::string &objectsFolder);

struct ObjectEntry
{
    std::string name;     // "clock" for "clock.ico", "a.b" for "a.b.ico"
    std::string iconPath; // the .ico file
};
// The objects of a category folder, sorted by name; none when the folder does not exist.
std::vector<ObjectEntry> ListObjects(const std::string &categoryFolder);

// "<objectsFolder><category>/Objects.ini".
std::string ObjectsIniPath(const std::string &objectsFolder, const std::string &category);

// One object's section as read from Objects.ini (missing keys read as empty).
struct ObjectSection
{
    std::string desc;
    std::string html;                   // the pieces joined
    std::vector<std::string> resources; // the L keys as written, $(App) not yet expanded
    std::string message;
    bool hasMessage = false;
};
ObjectSection ReadObjectSection(const ProfileFile &ini, const std::string &object);

// Replaces $(L0) .. $(L<count-1>) in html by "R<number>", a fresh number from draw for each n
// (std::rand when draw is empty). Placeholders beyond count are left as they are.
std::string ReplaceResourcePlaceholders(std::string html, size_t count,
                                        const std::function<int()> &draw = {});

// What inserting an object does to the page at pagePath before its HTML goes in: copies every
// resource (with $(App) expanded) into the page's resource folder and returns the HTML with its
// placeholders replaced.
std::string PrepareObjectHtml(const ObjectSection &section, const std::string &pagePath,
                              const ProfileFile &profile, const std::function<int()> &draw = {});

} // namespace gallery
