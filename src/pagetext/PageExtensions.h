#pragma once

#include <string>
#include <string_view>

// The page extensions: the marker blocks that link the program's script library ("qxlib.js")
// and style sheet ("qxlib.css") into a page and add the start-up markup the generated image and
// sound behaviours rely on. Blocks are framed by "<!-- #Begin "name" -->" and
// "<!-- #End "name" -->" lines.

// The head blocks (qxstyle, qxlib) and the body blocks (Moveable, MPlyr) as stored: lines end
// with a bare line feed; ToCrLf converts them before they go into a page.
extern const std::string_view kExtensionHeadBlocks;
extern const std::string_view kExtensionBodyBlocks;

// The messages of the "Pelion Extensions" command.
inline constexpr std::string_view kAlreadyExtendedMessage =
    "This HTML file already supports Pelion extensions";
inline constexpr std::string_view kAddExtensionsQuestion =
    "This file supports only basic HTML and not advanced features (popup images, "
    "multimedia...).\nWould you like to add Pelion extensions to this file?. ";

// A page is extended when its text holds "qxlib.js" in double quotes (exact, anywhere).
bool IsExtendedPageText(std::string_view text);
// The same for a page file; a file that cannot be read counts as not extended.
bool IsExtendedPage(const std::string &path);

// Which of the two block groups AddExtensionsToText could place.
struct ExtensionPlacement
{
    bool head = false; // before the head's closing tag
    bool body = false; // right after the body's opening tag
};

// Inserts the head blocks before "</head>" and the body blocks after the ">" of the "<body" tag,
// both found in any letter case with white space tolerated inside the tag, and with CR LF line
// ends. A text without one of the tags misses that group; nothing else changes.
ExtensionPlacement AddExtensionsToText(std::string &text);

// Adds both block groups to the page file at path and writes all of it back ("$(Copy" in a page
// is the page's own text). False when the file cannot be read, holds a zero byte (writing it back
// would cut it short) or cannot be written; in every such case the file is left untouched.
// error (when given) then says why. placement (when given) tells what was added.
bool AddExtensions(const std::string &path, std::string *error = nullptr,
                   ExtensionPlacement *placement = nullptr);
