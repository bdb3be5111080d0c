// Fuzz target for the property values on arbitrary strings: the font text form
// (CPropFontValue::SetFromString / ToString), the HTML colour values of the colour properties,
// and every item kind of the property list bound to values taken from the input (their value
// texts and the store / revert / refresh moves between item and variable). Round trips are
// checked where the text form defines one. The number items' texts are parsed by the panel's
// Qt editors, not here, so for them the check is that their value text reads back as the value.
#include "../tests/propgrid/FakeDropDown.h"
#include "fuzz_files.h"

#include "pagetext/PageProperties.h"
#include "propgrid/CPropColor.h"
#include "propgrid/CPropCombo.h"
#include "propgrid/CPropCustColor.h"
#include "propgrid/CPropDbl.h"
#include "propgrid/CPropDropDown.h"
#include "propgrid/CPropEditCombo.h"
#include "propgrid/CPropFile.h"
#include "propgrid/CPropFont.h"
#include "propgrid/CPropFontValue.h"
#include "propgrid/CPropInt.h"
#include "propgrid/CPropLong.h"
#include "propgrid/CPropObArray.h"
#include "propgrid/CPropStr.h"
#include "propgrid/PropStrings.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Takes fixed-size values off the front of the input, zeros once it runs out.
class Bytes
{
public:
    Bytes(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {}
    template<class T>
    T take()
    {
        T value{};
        const size_t n = std::min(sizeof value, m_size - m_pos);
        if (n > 0) // an empty input has no bytes at all (data may be null)
            std::memcpy(&value, m_data + m_pos, n);
        m_pos += n;
        return value;
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void checkFontText(const std::string &text)
{
    CPropFontValue font;
    const bool ok = font.SetFromString(text);
    const std::string face = font.GetFaceName();
    FuzzCheck(face.size() <= 31);
    if (!ok)
        return;
    // The face name is what follows the last comma, read up to a zero byte and cut to 31
    // bytes, but never inside a UTF-8 sequence.
    const std::string written = text.substr(text.rfind(',') + 1);
    FuzzCheck(written.compare(0, face.size(), face) == 0);
    if (written.find('\0') > 31) {
        if (written.size() <= 31)
            FuzzCheck(face == written);
        else if (!face.empty())
            FuzzCheck((static_cast<unsigned char>(written[face.size()]) & 0xC0) != 0x80);
    }

    const std::string again = font.ToString();
    CPropFontValue reread;
    FuzzCheck(reread.SetFromString(again));
    FuzzCheck(reread == font);
    FuzzCheck(reread.ToString() == again);
}

void checkColourText(const std::string &text, std::int32_t raw)
{
    const std::optional<std::int32_t> colour = ParseHtmlColour(text);
    if (colour) {
        FuzzCheck(*colour >= 0 && *colour <= 0xFFFFFF);
        FuzzCheck(ParseHtmlColour(HtmlColourText(*colour)) == colour);
    }
    const std::int32_t rgb = raw & 0xFFFFFF;
    const std::string written = HtmlColourText(rgb);
    FuzzCheck(written.size() == 7 && written[0] == '#');
    FuzzCheck(ParseHtmlColour(written) == rgb);
}

template<class Item, class T>
void checkMoves(Item &item, T &bound, const T &initial, const T &edited)
{
    // Construction read the variable; Store writes the working value, Revert the initial one,
    // Refresh takes the variable back into the working value.
    const auto same = [](const T &a, const T &b) { return a == b || (a != a && b != b); };
    item.m_value = edited;
    item.Store();
    FuzzCheck(same(bound, edited));
    item.Revert();
    FuzzCheck(same(bound, initial));
    FuzzCheck(item.Refresh() == !same(initial, edited));
    FuzzCheck(same(item.m_value, initial));
    FuzzCheck(!item.Refresh());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    Bytes bytes(data, size);
    checkFontText(text);

    int intValue = bytes.take<int>();
    std::int32_t longValue = bytes.take<std::int32_t>();
    double doubleValue = bytes.take<double>();
    PropColorRef colourValue = bytes.take<std::int32_t>();
    const std::int32_t other = bytes.take<std::int32_t>();
    checkColourText(text, colourValue);

    std::string strValue = text;
    std::string fileValue = text;
    int choiceValue = static_cast<int8_t>(other & 0xFF) % 4;
    PropColorRef custValue = other;
    CPropFontValue parsed;
    parsed.SetFromString(text);
    PropLogFont fontValue = parsed.m_lf;

    CPropObArray items;
    auto *intItem = items.Emplace<CPropInt>(&intValue, propstr::Left, true, -100, 100);
    auto *longItem = items.Emplace<CPropLong>(&longValue, propstr::Top, true, INT32_MIN, INT32_MAX);
    auto *doubleItem = items.Emplace<CPropDbl>(&doubleValue, propstr::Right, true, -1.0, 1.0);
    auto *strItem = items.Emplace<CPropStr>(&strValue, propstr::Title, true, 16);
    auto *fileItem = items.Emplace<CPropFile>(&fileValue, propstr::Background, 0);
    auto *choiceItem = items.Emplace<CPropCombo>(&choiceValue, propstr::PlaySound);
    auto *colourItem = items.Emplace<CPropColor>(&colourValue, propstr::LinkColour);
    auto *custItem = items.Emplace<CPropCustColor>(&custValue, propstr::ActiveLinkColour);
    auto *fontItem = items.Emplace<CPropFont>(&fontValue, propstr::Keywords);
    std::vector<std::string> suggestions;
    for (size_t start = 0, bar; start <= text.size() && suggestions.size() < 16; start = bar + 1) {
        bar = text.find('|', start);
        if (bar == std::string::npos)
            bar = text.size();
        suggestions.push_back(text.substr(start, bar - start));
    }
    std::string comboValue = suggestions.empty() ? std::string() : suggestions.back();
    auto *comboItem = items.Emplace<CPropEditCombo>(&comboValue, propstr::Description, suggestions);

    std::string shown;
    // Numbers: the value text reads back as the value.
    FuzzCheck(intItem->GetValueText(shown) && std::strtol(shown.c_str(), nullptr, 10) == intValue);
    FuzzCheck(longItem->GetValueText(shown) &&
              std::strtol(shown.c_str(), nullptr, 10) == longValue);
    FuzzCheck(doubleItem->GetValueText(shown));
    {
        char *end = nullptr;
        const double back = std::strtod(shown.c_str(), &end);
        FuzzCheck(end && *end == '\0' && !shown.empty());
        if (std::isnan(doubleValue))
            FuzzCheck(std::isnan(back));
        else if (std::isinf(doubleValue))
            FuzzCheck(back == doubleValue);
        else // six significant digits
            FuzzCheck(std::fabs(back - doubleValue) <=
                      std::fabs(doubleValue) * 1e-5 + 2 * DBL_TRUE_MIN);
    }
    // Texts: shown as they are; files by their lower-case name.
    FuzzCheck(strItem->GetValueText(shown) && shown == text);
    FuzzCheck(fileItem->GetValueText(shown));
    if (text.empty()) {
        FuzzCheck(shown == PropString(propstr::None));
    } else {
        FuzzCheck(shown.find_first_of("/\\") == std::string::npos);
        std::string lower = text;
        for (char &c : lower)
            c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        FuzzCheck(lower.size() >= shown.size() &&
                  lower.compare(lower.size() - shown.size(), shown.size(), shown) == 0);
    }
    // Colours: "Automatic" or "red.green.blue", reading back as the colour.
    for (CPropColor *item : {colourItem, static_cast<CPropColor *>(custItem)}) {
        FuzzCheck(item->GetValueText(shown));
        if (item->m_value == PropColorAutomatic) {
            FuzzCheck(shown == PropString(propstr::Automatic));
        } else {
            int r = -1, g = -1, b = -1;
            char tail = 0;
            FuzzCheck(std::sscanf(shown.c_str(), "%d.%d.%d%c", &r, &g, &b, &tail) == 3);
            FuzzCheck((r | g << 8 | b << 16) == (item->m_value & 0xFFFFFF));
        }
        std::int32_t asLong = 0;
        FuzzCheck(item->GetAsLong(asLong) && asLong == item->m_value);
    }
    // Fonts: the face name, or "None" without a font.
    FuzzCheck(fontItem->GetValueText(shown));
    FuzzCheck(shown == (parsed.IsEmpty() ? PropString(propstr::None) : parsed.GetFaceName()));

    // Choices: the text of the first choice with the value; the editor selects that entry.
    for (size_t i = 0; i < suggestions.size() && i < 4; ++i)
        choiceItem->AddChoice(suggestions[i], static_cast<int>(i % 3));
    FuzzCheck(choiceItem->GetValueText(shown));
    FakeDropDown dropDown;
    choiceItem->FillEditor(dropDown);
    FuzzCheck(dropDown.entries.size() == choiceItem->m_choices.size());
    int firstMatch = -1;
    for (size_t i = 0; i < choiceItem->m_choices.size() && firstMatch < 0; ++i) {
        if (choiceItem->m_choices[i].m_nValue == choiceValue)
            firstMatch = static_cast<int>(i);
    }
    FuzzCheck(shown == (firstMatch >= 0 ? choiceItem->m_choices[firstMatch].m_strText : ""));
    FuzzCheck(dropDown.selected ==
              (firstMatch >= 0 ? firstMatch : (dropDown.entries.empty() ? -1 : 0)));
    // Suggestions: the one equal to the value is selected, else the value goes into the field.
    comboItem->FillEditor(dropDown);
    FuzzCheck(dropDown.entries.size() == suggestions.size());
    if (dropDown.selected >= 0)
        FuzzCheck(suggestions[dropDown.selected] == comboValue);
    else
        FuzzCheck(dropDown.editText == comboValue);

    // Moving values between items and variables.
    const int intInitial = intValue;
    checkMoves(*intItem, intValue, intInitial, static_cast<int>(other));
    const std::int32_t longInitial = longValue;
    checkMoves(*longItem, longValue, longInitial, static_cast<std::int32_t>(~other));
    const double doubleInitial = doubleValue;
    checkMoves(*doubleItem, doubleValue, doubleInitial, doubleInitial * 2);
    const std::string strInitial = strValue;
    checkMoves(*strItem, strValue, strInitial, strInitial + "x");
    std::string asString;
    FuzzCheck(strItem->SetAsString(text) && strItem->GetAsString(asString) && asString == text);
    FuzzCheck(fileItem->SetAsString(text) && fileItem->GetAsString(asString) && asString == text);

    // A second array of the same items stores into the first one's variables where flagged.
    int intCopy = ~intValue;
    std::string strCopy = text + text;
    CPropObArray copies;
    copies.Emplace<CPropInt>(&intCopy, propstr::Left, false, 0, 0);
    copies.Emplace<CPropLong>(&longValue, propstr::Top, false, 0, 0);
    copies.Emplace<CPropDbl>(&doubleValue, propstr::Right, false, 0.0, 0.0);
    copies.Emplace<CPropStr>(&strCopy, propstr::Title, false, 0);
    const uint8_t flags[] = {static_cast<uint8_t>(other & 1), 0, 0,
                             static_cast<uint8_t>(other & 2)};
    const int intBefore = intValue;
    const std::string strBefore = strValue;
    items.StoreAllFrom(copies, flags);
    FuzzCheck(intValue == ((other & 1) ? ~intBefore : intBefore));
    FuzzCheck(strValue == ((other & 2) ? text + text : strBefore));
    // Items of other kinds never take each other's values.
    FuzzCheck(!intItem->IsEqual(*longItem) && !strItem->IsEqual(*fileItem));
    items.StoreAll();
    FuzzCheck(!items.RefreshAll());
    items.RevertAll();
    FuzzCheck(intValue == intInitial && strValue == strInitial &&
              fontValue == fontItem->m_initial.m_lf);
    return 0;
}
