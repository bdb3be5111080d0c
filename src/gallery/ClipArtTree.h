#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The clip-art gallery's model: the tree of the clip-art folder ("<program folder>Clipart/"),
// what the preview shows for a file and what activating a file does. The tree is read once;
// files added later show up in the next tree that is built.
namespace gallery {

// "<program folder>Clipart/".
std::string ClipArtFolder();

// The folders and files under a clip-art folder, below a root item "Clipart". A folder lists
// its own files first, then its sub-folders, each group in name order; hidden entries (names
// starting with ".") and links to folders are left out. After the walk only the root's children
// are sorted by text; a folder's children are sorted on request (SortChildren).
class ClipArtTree
{
public:
    struct Node
    {
        std::string name;
        int32_t parent = -1;
        bool folder = false;
        std::vector<int32_t> children;
    };

    // The tree of folder (which should end with "/"); a missing or unreadable folder gives the
    // root alone.
    static ClipArtTree Build(const std::string &folder);

    static constexpr int32_t Root = 0;
    size_t Size() const { return m_nodes.size(); }
    const Node &At(int32_t node) const { return m_nodes[static_cast<size_t>(node)]; }
    // The child of parent named exactly name (letter case counts), or -1.
    int32_t FindChild(int32_t parent, const std::string &name) const;
    // Finds or appends the items of a path relative to the clip-art folder, "Images/sun.gif";
    // the last component is a file. Returns the file's node.
    int32_t AddPath(const std::string &relativePath);
    // Sorts the children of node by text (letter case folded, then as bytes).
    void SortChildren(int32_t node);
    // The item's text after those of its ancestors, the root's included, joined with "/":
    // "Clipart/Images/sun.gif".
    std::string PathOf(int32_t node) const;

private:
    ClipArtTree();
    int32_t Append(int32_t parent, std::string name, bool folder);
    void Walk(const std::string &folder, int32_t node, int depth);

    std::vector<Node> m_nodes;
};

// Whether a sorts before b by text: letter case folded first, then as bytes.
bool TextLess(const std::string &a, const std::string &b);

// What the preview button shows for the file at fullPath, as its "U" setting: the path itself
// for an image or an animation, "<BTNSND" for a sound, "<BTNANM" for a video, "<NONE" for an
// unknown kind and for anything that is not an existing file (a folder, a missing file).
std::string PreviewPicture(const std::string &fullPath);
// The preview button's caption for that picture: "U:" + picture + "~".
std::string PreviewCaption(const std::string &fullPath);
// Whether the caption allows the gallery commands (it does not show "<NONE").
bool CaptionAllowsCommands(const std::string &caption);

// What activating a gallery file (double click, Enter, the preview button) does.
enum class GalleryInsert {
    Nothing,     // an unknown kind
    Background,  // an image or animation in a "Backgrounds/" folder
    ImageDialog, // any other image or animation: the Insert image dialog, its click preset
    MediaDialog, // a sound or a video: the Insert media dialog
};
GalleryInsert DefaultInsert(const std::string &fullPath);

// The context menu's part for the file: 0 "Image" (images, animations and unknown files),
// 1 "Sound", 2 "Video".
int ContextSubMenu(const std::string &fullPath);

} // namespace gallery
