#include "propgrid/PropStrings.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct Entry
{
    int id;
    std::string_view text;
};

// Strictly ascending ids, for the binary search below.
constexpr auto kTable = std::to_array<Entry>({
    {26645, "-11,0,0,0,400,0,0,0,0,1,2,1,34,MS Sans Serif"},
    {26653, "&Font..."},
    {26654, "&File..."},
    {27110, "Title"},
    {27111, "Description"},
    {27112, "Keywords"},
    {27113, "Background Sound"},
    {27114, "Play Sound"},
    {27115, "Background"},
    {27116, "Background Colour"},
    {27117, "Background Style"},
    {27118, "Link Colour"},
    {27119, "Visited Link Colour"},
    {27120, "Active Link Colour"},
    {27121, "Continuously"},
    {27122, "Once"},
    {27123, "Fixed"},
    {27124, "Movable"},
    {27125, "WAV Files (*.wav)|*.wav|MID Files (*.mid)|*.mid|All Files (*.*) | *.*||"},
    {27126, "GIF Files (*.gif)|*.gif|JPEG Files (*.jpg)|*.jpg|HTML Files (*.html)| "
            "*.h*|All Files (*.*)|*.*||"},
    {27127, "All Files (*.*)|*.*||"},
    {27128, "Browse Files"},
    {27129, "Properties"},
    {27130, "Automatic"},
    {27131, "(None)"},
    {27132, "(!=)"},
    {27133, "More Colors..."},
    {27134, "&Default"},
    {27135, "&Help"},
    {27136, "Left"},
    {27137, "Right"},
    {27138, "Top"},
    {27139, "Bottom"},
    {27140, "Drill &Multi"},
    {27141, "Save As De&fault"},
    {27142, "&Clear Default"},
    {27143, "&Delete"},
    {27144, "&Sort"},
    {27151, "Color..."},
    {27674, "Clear object's default"},
    {27675, "Delete selected object(s)"},
    {27676, "Save as default for object"},
    {27677, "Drill multi-selection property to synchronize all objects"},
    {27678, "Sort properties in ascending order"},
});

static_assert(std::adjacent_find(kTable.begin(), kTable.end(),
                                 [](const Entry &a, const Entry &b) { return a.id >= b.id; }) ==
                  kTable.end(),
              "string ids must be unique and in ascending order");

} // namespace

bool LoadPropString(int id, std::string &text)
{
    const auto it = std::lower_bound(kTable.begin(), kTable.end(), id,
                                     [](const Entry &entry, int key) { return entry.id < key; });
    if (it == kTable.end() || it->id != id) {
        text.clear();
        return false;
    }
    text.assign(it->text);
    return true;
}

std::string PropString(int id)
{
    std::string text;
    LoadPropString(id, text);
    return text;
}
