// Fuzz target for the page-file functions that pick pieces out of a page and patch its head:
// ExtractBlock (from a file and from text), ExtractAttribute and SetHeadTag, on arbitrary page
// text and markers. Each result is checked against a rebuild from the plain reference search:
// a block or attribute is the piece of the input its markers delimit, and SetHeadTag's file
// keeps every byte outside the tag it replaces (a "$(Copy" in the page too), or is left
// untouched when it cannot be taken as text.
//
// Input: up to five fields separated by "|" (start marker, end marker, tag opener, new tag,
// insertion point), then the page text, which may hold anything.
#include "fuzz_files.h"

#include "pagetext/CHtmlText.h"

#include "../tests/pagetext/ReferenceSearch.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

std::string expectedBlock(std::string_view text, std::string_view startMarker,
                          std::string_view endMarker, std::string_view tagOpen)
{
    int markerEnd = -1;
    const int s = reference::find(text, startMarker, 0, true, &markerEnd);
    if (s < 0)
        return {};
    const int begin =
        tagOpen.empty() ? markerEnd + 1 : reference::find(text, tagOpen, s + 1, false) + 1;
    const int e = reference::find(text, endMarker, begin, true);
    if (e <= begin)
        return {};
    return std::string(text.substr(static_cast<size_t>(begin), static_cast<size_t>(e - begin)));
}

std::string expectedAttribute(std::string_view tag, std::string_view prefix)
{
    int prefixEnd = -1;
    if (reference::find(tag, prefix, 0, true, &prefixEnd) < 0)
        return {};
    const size_t p = static_cast<size_t>(prefixEnd) + 1;
    if (p >= tag.size())
        return {};
    const bool quoted = tag[p] == '"';
    const size_t close = tag.find(quoted ? '"' : ' ', p + 1);
    if (close == std::string_view::npos)
        return {};
    return std::string(quoted ? tag.substr(p + 1, close - p - 1) : tag.substr(p, close - p));
}

// The file SetHeadTag should leave behind for a page text without zero bytes.
std::string expectedHeadPatch(const std::string &text, std::string_view marker, std::string newTag,
                              std::string_view insertBefore)
{
    if (newTag.empty() || newTag.front() != '<' || newTag.back() != '>')
        newTag.append(marker);
    std::string out = text;
    const int a = reference::find(text, marker, 0, true);
    if (a >= 0) {
        const int e = reference::find(text, ">", a, true);
        const int b = e >= 0 ? reference::find(text, "<", a + 1, false) : -1;
        if (b >= 0) {
            // Outside the tag nothing changes: the bytes before its "<" and after its ">".
            out = text.substr(0, static_cast<size_t>(b)) + newTag +
                  text.substr(static_cast<size_t>(e) + 1);
        }
    } else {
        reference::insertBefore(out, insertBefore, ToCrLf(newTag));
    }
    // The whole page is written, a "$(Copy" in it included.
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzScratchFile page("page.html");
    std::string_view rest(reinterpret_cast<const char *>(data), size);
    std::string_view fields[5];
    for (std::string_view &field : fields) {
        const size_t bar = rest.find('|');
        if (bar == std::string_view::npos)
            break;
        field = rest.substr(0, bar);
        rest.remove_prefix(bar + 1);
    }
    const std::string_view startMarker = fields[0], endMarker = fields[1], tagOpen = fields[2];
    const std::string newTag(fields[3]);
    const std::string insertBefore = reference::lower(fields[4]);
    const std::string text(rest);

    // Pieces of text in memory.
    const std::string block = ExtractBlockFromText(text, startMarker, endMarker, tagOpen);
    FuzzCheck(block == expectedBlock(text, startMarker, endMarker, tagOpen));
    FuzzCheck(block.empty() || text.find(block) != std::string::npos);
    const std::string attribute = ExtractAttribute(text, startMarker);
    FuzzCheck(attribute == expectedAttribute(text, startMarker));
    FuzzCheck(ExtractAttribute(block, endMarker) == expectedAttribute(block, endMarker));

    // The same pieces from the file, which is read up to its first zero byte.
    FuzzWriteFile(page.path(), text);
    const std::string asText = text.substr(0, text.find('\0'));
    FuzzCheck(ExtractBlock(startMarker, endMarker, tagOpen, page.path()) ==
              ExtractBlockFromText(asText, startMarker, endMarker, tagOpen));

    // Patching the head: a file with a zero byte is refused and left as it is.
    const bool ok = SetHeadTag(startMarker, newTag, page.path(), insertBefore);
    const std::string after = FuzzReadFile(page.path());
    if (text.find('\0') != std::string::npos) {
        FuzzCheck(!ok && after == text);
    } else {
        FuzzCheck(ok);
        FuzzCheck(after == expectedHeadPatch(text, startMarker, newTag, insertBefore));
    }
    return 0;
}
