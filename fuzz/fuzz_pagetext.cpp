// Fuzz target for the page text operations on arbitrary bytes. Besides memory faults it checks
// the fast searches against the plain reference algorithm and the macro replacement against a
// straightforward rebuild, and aborts on any difference.
#include "pagetext/CHtmlText.h"

#include "../tests/pagetext/ReferenceSearch.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string replaceAllReference(const std::string &text, const std::string &token,
                                const std::string &value, bool once)
{
    std::string out;
    size_t pos = 0;
    for (size_t hit = text.find(token); hit != std::string::npos; hit = text.find(token, pos)) {
        out += text.substr(pos, hit - pos) + value;
        pos = hit + token.size();
        if (once)
            break;
    }
    return out + text.substr(pos);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    // Byte 0: pattern length (1..8); byte 1: start position; byte 2: flags; then the pattern,
    // then the text.
    const size_t patternLength = 1 + data[0] % 8;
    const uint8_t flags = data[2];
    if (size < 3 + patternLength)
        return 0;
    const std::string pattern(reinterpret_cast<const char *>(data + 3), patternLength);
    const std::string input(reinterpret_cast<const char *>(data + 3 + patternLength),
                            size - 3 - patternLength);
    const int n = static_cast<int>(input.size());
    const int from = (flags & 1) ? n - 1 - data[1] : static_cast<int>(data[1]) - 2;

    for (const bool forward : {true, false}) {
        int end = 0, expectedEnd = 0;
        const int got = FindTolerant(input, pattern, from, forward, &end);
        check(got == reference::find(input, pattern, from, forward, &expectedEnd));
        check(end == expectedEnd);
        check(got == -1 || (got <= end && end < n));
    }

    const std::string tag = reference::lower(pattern);
    {
        std::string mine = input, theirs = input;
        const bool found = CHtmlText(mine).InsertBefore(tag, "[X]");
        check(found == reference::insertBefore(theirs, tag, "[X]"));
        check(mine == theirs);
    }
    {
        std::string mine = input, theirs = input;
        const bool found = CHtmlText(mine).InsertAfterTag(tag, "[Y]");
        check(found == reference::insertAfterTag(theirs, tag, "[Y]"));
        check(mine == theirs);
    }
    {
        // The pattern doubles as the macro name and, with the token itself in it, as the value.
        const std::string token = "$(" + pattern + ")";
        const std::string value = (flags & 2) ? token + pattern : pattern;
        const bool once = flags & 4;
        std::string text = input;
        CHtmlText html(text);
        const bool found = html.ReplaceMacro(pattern, value, once);
        check(found == (input.find(token) != std::string::npos));
        check(text == replaceAllReference(input, token, value, once));
    }
    {
        const std::string value = ExtractAttribute(input, pattern);
        check(value.empty() || input.find(value) != std::string::npos);
        const std::string block = ExtractBlockFromText(input, pattern, ">", (flags & 8) ? "<" : "");
        check(block.empty() || input.find(block) != std::string::npos);
    }
    {
        std::string text = input;
        CHtmlText html(text);
        html.rangeStart = (flags & 16) ? -1 : data[1] % (n + 2);
        html.rangeEnd = html.rangeStart + static_cast<int>(flags >> 5) - 1;
        const bool ok = html.ReplaceRange("R");
        check(ok || text == input);
    }
    return 0;
}
