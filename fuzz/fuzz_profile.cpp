// Fuzz target for the INI store (Tandem.ini, Objects.ini) on arbitrary file content. Besides
// memory faults it checks that every key the reader found reads back as stored, that the
// numbered and integer accessors agree with the plain ones, and that writing the store and
// reading the written file gives the same sections, keys and values (and the same text again).
#include "fuzz_files.h"

#include "util/ProfileFile.h"

#include <cstdint>
#include <string>

namespace {

std::string decoded(std::string value)
{
    for (char &c : value) {
        if (c == '`')
            c = '\n';
    }
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzScratchFile input("profile-in.ini");
    static FuzzScratchFile written("profile-out.ini");
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    FuzzWriteFile(input.path(), bytes);

    ProfileFile profile;
    FuzzCheck(profile.Load(input.path(), false));
    FuzzCheck(!profile.IsDirty());

    for (const auto &[section, entries] : profile.Sections()) {
        // Lines are split at line feeds and headers need a name.
        FuzzCheck(!section.empty() && section.find('\n') == std::string::npos);
        for (const auto &[key, value] : entries) {
            FuzzCheck(key.find('\n') == std::string::npos && value.find('\n') == std::string::npos);
            std::string out;
            FuzzCheck(profile.GetString(section, key, out) && out == value);
            FuzzCheck(profile.GetString(section, key, out, true) && out == decoded(value));
            int number = 0;
            FuzzCheck(profile.GetInt(section, key, number));
            FuzzCheck(number >= INT16_MIN && number <= INT16_MAX);
        }
        // The numbered accessors read the keys "0", "1", ... and wrap at 16 bits.
        for (int index : {0, 1, 65536, -1}) {
            std::string viaIndex, viaKey;
            const bool hasIndex = profile.GetIndexed(section, index, viaIndex);
            const bool hasKey =
                profile.GetString(section, std::to_string(static_cast<int16_t>(index)), viaKey);
            FuzzCheck(hasIndex == hasKey && viaIndex == viaKey);
        }
    }
    std::string missing = "x";
    FuzzCheck(!profile.GetString("\n", "k", missing) && missing.empty());

    // Make the store dirty without changing what it holds (no section read from a file can be
    // named "\n"), then write it through the real save path.
    profile.SetString("\n", "k", "v");
    profile.RemoveSection("\n");
    FuzzCheck(profile.IsDirty());
    FuzzCheck(profile.SaveAs(written.path()));
    FuzzCheck(!profile.IsDirty());
    const std::string text = profile.ToText();
    FuzzCheck(FuzzReadFile(written.path()) == text);

    ProfileFile reread;
    FuzzCheck(reread.Load(written.path(), true));
    FuzzCheck(reread.Sections() == profile.Sections());
    FuzzCheck(reread.ToText() == text);

    // A read-only store never writes: the file keeps the text just checked.
    reread.SetString("extra", "key", "value");
    FuzzCheck(reread.Save());
    FuzzCheck(FuzzReadFile(written.path()) == text);

    // Integers are kept as signed 16-bit numbers; a value set with newlines encoded comes back
    // with them when it held no backquote of its own.
    const int wide = size >= 4 ? static_cast<int>(data[0] | data[1] << 8 | data[2] << 16 |
                                                  static_cast<unsigned>(data[3]) << 24)
                               : static_cast<int>(size);
    int back = 0;
    FuzzCheck(profile.SetInt("numbers", "n", wide) && profile.GetInt("numbers", "n", back));
    FuzzCheck(back == static_cast<int16_t>(wide));
    std::string multi(bytes.substr(0, 64)), out;
    for (char &c : multi) {
        if (c == '`' || c == '\0')
            c = '.';
    }
    profile.SetString("multi", "m", multi, true);
    FuzzCheck(profile.GetString("multi", "m", out, true) == !multi.empty());
    FuzzCheck(out == multi);
    return 0;
}
