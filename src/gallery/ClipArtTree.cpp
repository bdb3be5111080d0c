#include "gallery/ClipArtTree.h"

#include "sites/ResourceCopy.h"
#include "util/FileUtil.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

namespace gallery {

namespace {

// Deeper than any real clip-art folder; stops a runaway walk.
constexpr int kMaxDepth = 64;

unsigned char Folded(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

bool IsFile(const std::string &path)
{
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

std::string ClipArtFolder()
{
    return util::ProgramFolder() + "Clipart/";
}

bool TextLess(const std::string &a, const std::string &b)
{
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char x = Folded(static_cast<unsigned char>(a[i]));
        const unsigned char y = Folded(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

ClipArtTree::ClipArtTree()
{
    Node root;
    root.name = "Clipart";
    root.folder = true;
    m_nodes.push_back(std::move(root));
}

ClipArtTree ClipArtTree::Build(const std::string &folder)
{
    ClipArtTree tree;
    std::string start = folder;
    if (!start.empty() && start.back() != '/')
        start += '/';
    tree.Walk(start, Root, 0);
    tree.SortChildren(Root);
    return tree;
}

int32_t ClipArtTree::Append(int32_t parent, std::string name, bool folder)
{
    const auto index = static_cast<int32_t>(m_nodes.size());
    Node node;
    node.name = std::move(name);
    node.parent = parent;
    node.folder = folder;
    m_nodes.push_back(std::move(node));
    m_nodes[static_cast<size_t>(parent)].children.push_back(index);
    return index;
}

void ClipArtTree::Walk(const std::string &folder, int32_t node, int depth)
{
    if (depth > kMaxDepth)
        return;
    DIR *dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> files, folders;
    while (const dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue; // ".", ".." and hidden entries
        bool isFolder = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            // A link to a file counts as the file; links to folders are not followed, so that
            // a link back up cannot make the walk endless.
            struct stat info;
            const std::string path = folder + entry->d_name;
            if (entry->d_type == DT_UNKNOWN && ::lstat(path.c_str(), &info) == 0 &&
                S_ISDIR(info.st_mode))
                isFolder = true;
            else if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
                isFile = true;
        }
        if (isFolder)
            folders.emplace_back(entry->d_name);
        else if (isFile)
            files.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(files.begin(), files.end(), TextLess);
    std::sort(folders.begin(), folders.end(), TextLess);
    m_nodes.reserve(m_nodes.size() + files.size() + folders.size());
    for (std::string &file : files)
        Append(node, std::move(file), false);
    for (std::string &name : folders) {
        const std::string path = folder + name + "/";
        const int32_t child = Append(node, std::move(name), true);
        Walk(path, child, depth + 1);
    }
}

int32_t ClipArtTree::FindChild(int32_t parent, const std::string &name) const
{
    for (int32_t child : At(parent).children) {
        if (At(child).name == name)
            return child;
    }
    return -1;
}

int32_t ClipArtTree::AddPath(const std::string &relativePath)
{
    int32_t node = Root;
    size_t start = 0;
    while (start <= relativePath.size()) {
        const size_t slash = relativePath.find('/', start);
        const bool last = slash == std::string::npos;
        const std::string part =
            relativePath.substr(start, last ? std::string::npos : slash - start);
        if (!part.empty()) {
            const int32_t found = FindChild(node, part);
            node = found >= 0 ? found : Append(node, part, !last);
        }
        if (last)
            break;
        start = slash + 1;
    }
    return node;
}

void ClipArtTree::SortChildren(int32_t node)
{
    std::vector<int32_t> &children = m_nodes[static_cast<size_t>(node)].children;
    std::stable_sort(children.begin(), children.end(),
                     [this](int32_t a, int32_t b) { return TextLess(At(a).name, At(b).name); });
}

std::string ClipArtTree::PathOf(int32_t node) const
{
    std::vector<int32_t> chain;
    for (int32_t at = node; at >= 0; at = At(at).parent)
        chain.push_back(at);
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty())
            path += '/';
        path += At(*it).name;
    }
    return path;
}

std::string PreviewPicture(const std::string &fullPath)
{
    // Folders and missing files show nothing, whatever their names look like.
    if (fullPath.empty() || !IsFile(fullPath))
        return "<NONE";
    switch (GetResourceType(fullPath)) {
    case ResourceImage:
    case ResourceAnimation:
        return fullPath;
    case ResourceSound:
        return "<BTNSND";
    case ResourceVideo:
        return "<BTNANM";
    default:
        return "<NONE";
    }
}

std::string PreviewCaption(const std::string &fullPath)
{
    return "U:" + PreviewPicture(fullPath) + "~";
}

bool CaptionAllowsCommands(const std::string &caption)
{
    return caption.find("<NONE") == std::string::npos;
}

GalleryInsert DefaultInsert(const std::string &fullPath)
{
    switch (GetResourceType(fullPath)) {
    case ResourceImage:
    case ResourceAnimation:
        return fullPath.find("Backgrounds/") != std::string::npos ? GalleryInsert::Background
                                                                  : GalleryInsert::ImageDialog;
    case ResourceSound:
    case ResourceVideo:
        return GalleryInsert::MediaDialog;
    default:
        return GalleryInsert::Nothing;
    }
}

int ContextSubMenu(const std::string &fullPath)
{
    switch (GetResourceType(fullPath)) {
    case ResourceSound:
        return 1;
    case ResourceVideo:
        return 2;
    default:
        return 0;
    }
}

} // namespace gallery
