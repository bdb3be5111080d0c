#include "pagetext/CHtmlText.h"

#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <new>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// The C locale's isspace: space, \t, \n, \v, \f, \r.
inline bool isSpace(unsigned char c)
{
    return c == ' ' || static_cast<unsigned char>(c - '\t') < 5;
}

inline unsigned char foldAscii(unsigned char c)
{
    return static_cast<unsigned char>(c - 'A') < 26 ? static_cast<unsigned char>(c | 0x20) : c;
}

template<bool Fold>
inline unsigned char at(const unsigned char *text, size_t i)
{
    return Fold ? foldAscii(text[i]) : text[i];
}

#if defined(__SSE2__)
inline __m128i foldBlock(__m128i block)
{
    const __m128i offset = _mm_sub_epi8(block, _mm_set1_epi8('A'));
    const __m128i isUpper = _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(25)), offset);
    return _mm_or_si128(block, _mm_and_si128(isUpper, _mm_set1_epi8(0x20)));
}

inline __m128i spaceBlock(__m128i block)
{
    const __m128i offset = _mm_sub_epi8(block, _mm_set1_epi8('\t'));
    const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(offset, _mm_set1_epi8(4)), offset);
    return _mm_or_si128(control, _mm_cmpeq_epi8(block, _mm_set1_epi8(' ')));
}
#endif

// The first position i in [from, n) where a forward match can begin: text[i] is p0 and, for a
// pattern of two or more characters, text[i + 1] is p1 or white space. Any other p0 cannot start
// a match: the character after it either restarts the match itself (it is p0) or resets it.
// Returns n when there is none.
template<bool Fold>
size_t nextCandidate(const unsigned char *text, size_t from, size_t n, unsigned char p0, int p1)
{
    if (p1 < 0) {
        if (!Fold) {
            const void *hit = from < n ? std::memchr(text + from, p0, n - from) : nullptr;
            return hit ? static_cast<size_t>(static_cast<const unsigned char *>(hit) - text) : n;
        }
    } else if (n == 0) {
        return 0;
    }
    // With a second character the last position cannot start a match.
    const size_t last = p1 < 0 ? n : n - 1;
    size_t i = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(static_cast<char>(p0));
    const __m128i second = _mm_set1_epi8(static_cast<char>(p1 < 0 ? 0 : p1));
    while (i + 16 < n + (p1 < 0 ? 1 : 0)) {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i));
        if (Fold)
            a = foldBlock(a);
        __m128i hits = _mm_cmpeq_epi8(a, first);
        if (p1 >= 0 && _mm_movemask_epi8(hits) != 0) {
            __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i *>(text + i + 1));
            if (Fold)
                b = foldBlock(b);
            hits = _mm_and_si128(hits, _mm_or_si128(_mm_cmpeq_epi8(b, second), spaceBlock(b)));
        }
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
        i += 16;
    }
#endif
    for (; i < last; ++i) {
        if (at<Fold>(text, i) != p0)
            continue;
        if (p1 < 0)
            return i;
        const unsigned char next = at<Fold>(text, i + 1);
        if (next == p1 || isSpace(next))
            return i;
    }
    return n;
}

// Forward tolerant search over text[0 .. n), optionally on the ASCII lower-case form of the
// text. Every byte is looked at once: either by the candidate scan (while no match is under
// way) or by the matching loop, which hands back to the scan right after a reset.
template<bool Fold>
int findForward(const unsigned char *text, size_t n, const unsigned char *pattern, size_t m,
                size_t from, int *matchEnd)
{
    const int p1 = m >= 2 ? pattern[1] : -1;
    size_t scan = from;
    while (scan < n) {
        size_t i = nextCandidate<Fold>(text, scan, n, pattern[0], p1);
        if (i >= n)
            break;
        size_t start = i;
        size_t j = 0;
        for (; i < n; ++i) {
            const unsigned char c = at<Fold>(text, i);
            if (c == pattern[j]) {
                if (j == 0)
                    start = i;
                if (++j == m) {
                    if (matchEnd)
                        *matchEnd = static_cast<int>(i);
                    return static_cast<int>(start);
                }
            } else if (isSpace(c)) {
                continue;
            } else if (c == pattern[0]) {
                j = 1;
                start = i;
                if (m == 1) {
                    if (matchEnd)
                        *matchEnd = static_cast<int>(i);
                    return static_cast<int>(start);
                }
            } else {
                break; // reset: no match is under way after this character
            }
        }
        scan = i + 1;
    }
    if (matchEnd)
        *matchEnd = -1;
    return -1;
}

// Backward tolerant search from text[from] down to text[0]; the mirror of findForward, with the
// pattern's last character playing the part of the first.
int findBackward(const unsigned char *text, size_t from, const unsigned char *pattern, size_t m,
                 int *matchEnd)
{
    const unsigned char last = pattern[m - 1];
    size_t k = from + 1; // one past the next position to look at
    while (k > 0) {
        const void *hit = ::memrchr(text, last, k);
        if (!hit)
            break;
        size_t pos = static_cast<size_t>(static_cast<const unsigned char *>(hit) - text);
        size_t end = pos;
        if (m == 1) {
            if (matchEnd)
                *matchEnd = static_cast<int>(end);
            return static_cast<int>(pos);
        }
        size_t i = m - 2; // the last character matched at pos
        bool reset = false;
        while (pos > 0 && !reset) {
            --pos;
            const unsigned char c = text[pos];
            if (c == pattern[i]) {
                if (i == 0) {
                    if (matchEnd)
                        *matchEnd = static_cast<int>(end);
                    return static_cast<int>(pos);
                }
                --i;
            } else if (isSpace(c)) {
                continue;
            } else if (c == last) {
                i = m - 2;
                end = pos;
            } else {
                reset = true;
            }
        }
        if (!reset)
            break; // ran off the beginning
        k = pos;   // resume before the character that reset the match
    }
    if (matchEnd)
        *matchEnd = -1;
    return -1;
}

template<bool Fold>
int findTolerant(std::string_view text, std::string_view pattern, int from, bool forward,
                 int *matchEnd)
{
    if (matchEnd)
        *matchEnd = -1;
    const size_t n = std::min<size_t>(text.size(), INT_MAX);
    if (pattern.empty() || n == 0 || from > static_cast<long>(n) - 1)
        return -1;
    const auto *t = reinterpret_cast<const unsigned char *>(text.data());
    const auto *p = reinterpret_cast<const unsigned char *>(pattern.data());
    if (forward)
        return findForward<Fold>(t, n, p, pattern.size(), from < 0 ? 0 : static_cast<size_t>(from),
                                 matchEnd);
    if (from < 0)
        return -1;
    return findBackward(t, static_cast<size_t>(from), p, pattern.size(), matchEnd);
}

// The case-insensitive search of InsertBefore and InsertAfterTag: the same positions as a
// search on a lower-case copy of the text, without making the copy.
int findFolded(std::string_view text, std::string_view pattern, int *matchEnd)
{
    return findTolerant<true>(text, pattern, 0, true, matchEnd);
}

// Exact substring search. Macro tokens and the "$(Copy" marker start with a byte that is rare in
// pages, so finding it with memchr and then comparing is much faster than a byte loop.
size_t findExact(std::string_view text, std::string_view token, size_t from = 0)
{
    if (token.empty() || token.size() > text.size())
        return std::string_view::npos;
    const size_t last = text.size() - token.size(); // the last position a match can start at
    while (from <= last) {
        const void *hit = std::memchr(text.data() + from, token[0], last - from + 1);
        if (!hit)
            break;
        const size_t pos = static_cast<size_t>(static_cast<const char *>(hit) - text.data());
        if (std::memcmp(text.data() + pos + 1, token.data() + 1, token.size() - 1) == 0)
            return pos;
        from = pos + 1;
    }
    return std::string_view::npos;
}

// Writes through a symbolic link, so that an atomic replace updates the file it points to instead
// of putting a plain file in place of the link.
std::string writeTarget(const std::string &path)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
        if (!ec)
            return target.string();
    }
    return path;
}

const char *const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char *const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};

} // namespace

int FindTolerant(std::string_view text, std::string_view pattern, int from, bool forward,
                 int *matchEnd)
{
    return findTolerant<false>(text, pattern, from, forward, matchEnd);
}

CHtmlText::CHtmlText(std::string &text)
    : m_text(text)
{}

int CHtmlText::Find(std::string_view pattern, int from, bool forward) const
{
    return FindTolerant(m_text, pattern, from, forward, nullptr);
}

int CHtmlText::FindSpan(std::string_view pattern, int from, bool forward, int *matchEnd) const
{
    return FindTolerant(m_text, pattern, from, forward, matchEnd);
}

bool CHtmlText::ReplaceRange(std::string_view newText)
{
    if (rangeStart == -1 || rangeEnd == -1) {
        m_text.append(newText);
        return true;
    }
    const long size = static_cast<long>(m_text.size());
    if (rangeStart < 0 || rangeStart > size || rangeEnd < rangeStart - 1 || rangeEnd >= size)
        return false;
    m_text.replace(static_cast<size_t>(rangeStart), static_cast<size_t>(rangeEnd - rangeStart + 1),
                   newText);
    return true;
}

bool CHtmlText::InsertBefore(std::string_view tag, std::string_view newText)
{
    const int at = findFolded(m_text, tag, nullptr);
    if (at < 0)
        return false;
    m_text.insert(static_cast<size_t>(at), newText);
    return true;
}

bool CHtmlText::InsertAfterTag(std::string_view tag, std::string_view newText)
{
    int tagEnd = -1;
    if (findFolded(m_text, tag, &tagEnd) < 0)
        return false;
    // ">" has no letter case, so a plain search gives the position the lower-case copy would.
    const int close = Find(">", tagEnd, true);
    if (close < 0)
        return false;
    m_text.insert(static_cast<size_t>(close) + 1, newText);
    return true;
}

bool CHtmlText::ReplaceMacro(std::string_view name, std::optional<std::string_view> value,
                             bool once)
{
    std::string token;
    token.reserve(name.size() + 3);
    token.append("$(").append(name).append(")");

    // All occurrences are found in the text as it was, so a value holding the token is never
    // expanded again.
    std::vector<size_t> hits;
    for (size_t hit = findExact(m_text, token); hit != std::string_view::npos;
         hit = findExact(m_text, token, hit + token.size())) {
        hits.push_back(hit);
        if (once)
            break;
    }
    if (hits.empty())
        return false;

    std::string expanded;
    if (!value) {
        expanded = ExpandMacro(name);
        value = expanded;
    }
    // The value may point into the text itself; keep a copy while the text moves.
    const std::string v(*value);
    const size_t t = token.size();
    const size_t oldSize = m_text.size();
    if (v.size() <= t) {
        // Shrinking or equal: one pass from the front, moving each piece down.
        char *data = m_text.data();
        size_t write = hits[0];
        for (size_t k = 0; k < hits.size(); ++k) {
            std::memcpy(data + write, v.data(), v.size());
            write += v.size();
            const size_t segment = hits[k] + t;
            const size_t segmentEnd = k + 1 < hits.size() ? hits[k + 1] : oldSize;
            std::memmove(data + write, data + segment, segmentEnd - segment);
            write += segmentEnd - segment;
        }
        m_text.resize(write);
    } else {
        // Growing: make room once, then fill from the back so nothing is overwritten unread.
        m_text.resize(oldSize + hits.size() * (v.size() - t));
        char *data = m_text.data();
        size_t write = m_text.size();
        size_t segmentEnd = oldSize;
        for (size_t k = hits.size(); k-- > 0;) {
            const size_t segment = hits[k] + t;
            write -= segmentEnd - segment;
            std::memmove(data + write, data + segment, segmentEnd - segment);
            write -= v.size();
            std::memcpy(data + write, v.data(), v.size());
            segmentEnd = hits[k];
        }
    }
    return true;
}

std::string CHtmlText::ExpandMacro(std::string_view name)
{
    if (name == "Date") {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        if (!::localtime_r(&now, &local))
            return {};
        return DateText(local);
    }
    if (name == "App")
        return util::ProgramFolder();
    if (name == "Windows")
        return "/usr";
    if (name == "System")
        return "/usr/bin";
    return {};
}

std::string CHtmlText::DateText(const std::tm &date)
{
    if (date.tm_wday < 0 || date.tm_wday > 6 || date.tm_mon < 0 || date.tm_mon > 11)
        return {};
    return util::Format("%s, %s %d, %d", kWeekdays[date.tm_wday], kMonths[date.tm_mon],
                        date.tm_mday, date.tm_year + 1900);
}

bool CHtmlText::SaveToFile(const std::string &path, std::string *error) const
{
    const size_t cut = findExact(m_text, kCopyMarker);
    if (cut == std::string::npos)
        return util::WriteFileAtomic(writeTarget(path), m_text, error);
    return util::WriteFileAtomic(writeTarget(path), m_text.substr(0, cut), error);
}

bool ReadTextFile(const std::string &path, std::string &out, bool *cutAtZero, std::string *error)
{
    out.clear();
    if (cutAtZero)
        *cutAtZero = false;
    const auto fail = [&](const char *why) {
        out.clear();
        out.shrink_to_fit();
        if (error && why)
            *error = why;
        return false;
    };
    try {
        if (!util::ReadFile(path, out, error))
            return fail(nullptr);
    } catch (const std::bad_alloc &) {
        return fail("not enough memory for the file");
    } catch (const std::length_error &) {
        return fail("not enough memory for the file");
    }
    if (out.size() > static_cast<size_t>(INT_MAX))
        return fail("the file is too large (more than 2 GB)");
    const size_t zero = out.find('\0');
    if (zero != std::string::npos) {
        out.resize(zero);
        if (cutAtZero)
            *cutAtZero = true;
    }
    return true;
}

bool WriteTextFile(std::string_view text, const std::string &path, std::string *error)
{
    return util::WriteFileAtomic(writeTarget(path), std::string(text), error);
}

std::string ToCrLf(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 16);
    size_t pos = 0;
    for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', pos)) {
        out.append(text.substr(pos, lf - pos)).append("\r\n");
        pos = lf + 1;
    }
    out.append(text.substr(pos));
    return out;
}

std::string ExtractBlockFromText(std::string_view text, std::string_view startMarker,
                                 std::string_view endMarker, std::string_view tagOpen)
{
    int markerEnd = -1;
    const int s = FindTolerant(text, startMarker, 0, true, &markerEnd);
    if (s < 0)
        return {};
    // The piece begins after the marker as matched: with white space inside the match
    // ("< TITLE>") that is further on than the marker's own length.
    const int begin =
        tagOpen.empty() ? markerEnd + 1 : FindTolerant(text, tagOpen, s + 1, false) + 1;
    const int e = FindTolerant(text, endMarker, begin, true);
    if (e <= begin)
        return {};
    return std::string(text.substr(static_cast<size_t>(begin), static_cast<size_t>(e - begin)));
}

std::string ExtractBlock(std::string_view startMarker, std::string_view endMarker,
                         std::string_view tagOpen, const std::string &path)
{
    std::string text;
    if (!ReadTextFile(path, text))
        return {};
    return ExtractBlockFromText(text, startMarker, endMarker, tagOpen);
}

std::string ExtractAttribute(std::string_view tagText, std::string_view attrPrefix)
{
    int prefixEnd = -1;
    if (FindTolerant(tagText, attrPrefix, 0, true, &prefixEnd) < 0)
        return {};
    // The value follows the prefix as matched (white space may sit inside it: "content =").
    const size_t p = static_cast<size_t>(prefixEnd) + 1;
    if (p >= tagText.size())
        return {};
    if (tagText[p] == '"') {
        const size_t close = tagText.find('"', p + 1);
        if (close == std::string_view::npos)
            return {};
        return std::string(tagText.substr(p + 1, close - p - 1));
    }
    const size_t space = tagText.find(' ', p + 1);
    if (space == std::string_view::npos)
        return {};
    return std::string(tagText.substr(p, space - p));
}

bool SetHeadTag(std::string_view marker, std::string_view newTagIn, const std::string &path,
                std::string_view insertBefore)
{
    std::string text;
    bool cutAtZero = false;
    if (!ReadTextFile(path, text, &cutAtZero) || cutAtZero)
        return false;

    std::string newTag(newTagIn);
    if (newTag.empty() || newTag.front() != '<' || newTag.back() != '>')
        newTag.append(marker);

    CHtmlText html(text);
    const int a = html.Find(marker, 0, true);
    if (a >= 0) {
        const int e = html.Find(">", a, true);
        const int b = e >= 0 ? html.Find("<", a + 1, false) : -1;
        // Without a "<" before the marker there is no tag to replace; the text stays as it is
        // rather than having newTag appended at its end.
        if (b >= 0) {
            html.rangeStart = b;
            html.rangeEnd = e;
            html.ReplaceRange(newTag);
        }
    } else {
        html.InsertBefore(insertBefore, ToCrLf(newTag));
    }
    // A page's own text is written whole: "$(Copy" ends only a template's content, and a page
    // may well hold those letters (a script's $(CopyButton)).
    return WriteTextFile(html.Text(), path);
}
