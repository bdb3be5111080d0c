// Fuzz target for the objects gallery's Objects.ini handling on arbitrary file content: every
// section read as an object (description, HTML pieces, resource files, message) and the
// placeholder replacement done on insertion, checked against a straightforward rebuild. The
// page given to the insertion has no folder, so nothing is copied anywhere.
#include "fuzz_files.h"

#include "gallery/ObjectGallery.h"
#include "pagetext/CHtmlText.h"
#include "util/ProfileFile.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::string replaceAll(const std::string &text, const std::string &token, const std::string &value)
{
    std::string out;
    size_t pos = 0;
    for (size_t hit = text.find(token); hit != std::string::npos; hit = text.find(token, pos)) {
        out += text.substr(pos, hit - pos) + value;
        pos = hit + token.size();
    }
    return out + text.substr(pos);
}

// The numbered keys prefix + "0", prefix + "1", ... up to the first one missing.
std::vector<std::string> numbered(const ProfileFile &ini, const std::string &section,
                                  const std::string &prefix)
{
    std::vector<std::string> values;
    std::string value;
    while (ini.GetString(section, prefix + std::to_string(values.size()), value))
        values.push_back(value);
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzScratchFile input("Objects.ini");
    FuzzWriteFile(input.path(), std::string_view(reinterpret_cast<const char *>(data), size));
    ProfileFile ini;
    FuzzCheck(ini.Load(input.path(), true));

    // The draw hands out 0, 7, 14, ... so that the expected names can be rebuilt.
    int next = 0;
    const auto draw = [&next] {
        const int number = next;
        next = (next + 7) % 32768;
        return number;
    };

    std::vector<std::string> names;
    for (const auto &entry : ini.Sections())
        names.push_back(entry.first);
    names.push_back("no such object");

    for (const std::string &name : names) {
        const gallery::ObjectSection section = gallery::ReadObjectSection(ini, name);
        std::string expected;
        for (const std::string &piece : numbered(ini, name, ""))
            expected += piece;
        FuzzCheck(section.html == expected);
        FuzzCheck(section.resources == numbered(ini, name, "L"));
        std::string desc;
        ini.GetString(name, "Desc", desc);
        FuzzCheck(section.desc == desc);
        std::string message;
        FuzzCheck(section.hasMessage == ini.GetString(name, "Message", message));
        FuzzCheck(section.message == message);

        // Placeholders $(L0) .. $(L<n-1>) become R<number>; others stay.
        const size_t count = section.resources.size();
        next = 0;
        const std::string replaced =
            gallery::ReplaceResourcePlaceholders(section.html, count, draw);
        std::string rebuilt = section.html;
        for (size_t n = 0, number = 0; n < count; ++n, number = (number + 7) % 32768)
            rebuilt = replaceAll(rebuilt, "$(L" + std::to_string(n) + ")",
                                 "R" + std::to_string(number));
        FuzzCheck(replaced == rebuilt);
        for (size_t n = 0; n < count; ++n)
            FuzzCheck(replaced.find("$(L" + std::to_string(n) + ")") == std::string::npos);

        // Inserting into a page that was never saved copies nothing and replaces the same way.
        next = 0;
        FuzzCheck(gallery::PrepareObjectHtml(section, "", ini, draw) == rebuilt);

        // The resources' $(App) stands for the program folder.
        for (const std::string &resource : section.resources) {
            std::string expanded = resource;
            CHtmlText(expanded).ReplaceMacro("App");
            FuzzCheck(expanded == replaceAll(resource, "$(App)", CHtmlText::ExpandMacro("App")));
        }
    }
    return 0;
}
