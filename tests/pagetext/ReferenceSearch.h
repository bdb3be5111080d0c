#pragma once

#include <cctype>
#include <string>
#include <string_view>

// The tolerant search written the plain way, one character at a time, as a reference for the
// fast search in CHtmlText (used by the unit tests and the fuzz target).
namespace reference {

inline bool isSpace(unsigned char c)
{
    return std::isspace(c) != 0; // the C locale
}

// Returns the match start; *end receives the match's last character.
inline int find(std::string_view text, std::string_view pattern, int from, bool forward,
                int *end = nullptr)
{
    if (end)
        *end = -1;
    const int n = static_cast<int>(text.size());
    const int m = static_cast<int>(pattern.size());
    if (m == 0 || from > n - 1)
        return -1;
    if (forward) {
        int j = 0;
        int start = -1;
        for (int i = from < 0 ? 0 : from; i < n; ++i) {
            const unsigned char c = text[i];
            if (c == static_cast<unsigned char>(pattern[j])) {
                if (j == 0)
                    start = i;
                if (++j == m) {
                    if (end)
                        *end = i;
                    return start;
                }
            } else if (isSpace(c)) {
            } else if (c == static_cast<unsigned char>(pattern[0])) {
                j = 1;
                start = i;
            } else {
                j = 0;
            }
        }
        return -1;
    }
    int i = m - 1;
    int last = -1;
    for (int k = from; k >= 0; --k) {
        const unsigned char c = text[k];
        if (c == static_cast<unsigned char>(pattern[i])) {
            if (i == m - 1)
                last = k;
            if (i == 0) {
                if (end)
                    *end = last;
                return k;
            }
            --i;
        } else if (isSpace(c)) {
        } else if (c == static_cast<unsigned char>(pattern[m - 1])) {
            i = m - 2;
            last = k;
        } else {
            i = m - 1;
        }
    }
    return -1;
}

// InsertBefore / InsertAfterTag as described: search a lower-case copy, insert into the text.
inline std::string lower(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

inline bool insertBefore(std::string &text, std::string_view tag, std::string_view newText)
{
    const int at = find(lower(text), tag, 0, true);
    if (at < 0)
        return false;
    text.insert(static_cast<size_t>(at), newText);
    return true;
}

inline bool insertAfterTag(std::string &text, std::string_view tag, std::string_view newText)
{
    const std::string folded = lower(text);
    int end = -1;
    if (find(folded, tag, 0, true, &end) < 0)
        return false;
    const int close = find(folded, ">", end, true);
    if (close < 0)
        return false;
    text.insert(static_cast<size_t>(close) + 1, newText);
    return true;
}

} // namespace reference
