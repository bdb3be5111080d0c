#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// A working view onto a caller's page text (or template text) with the few text operations the
// program uses instead of an HTML parser: a tolerant tag search, insertion before or after a
// tag, replacement of a marked range, "$(name)" macros and writing back to a file.
//
// CHtmlText does not own or copy the text: every operation edits the caller's string in place.
// Positions are byte indexes from 0 and -1 means "not found" or "not set". Texts are limited to
// INT_MAX bytes; searches never look beyond that.
class CHtmlText
{
public:
    explicit CHtmlText(std::string &text);

    // Tolerant search: white space (the C locale's isspace set) in the text is skipped anywhere
    // inside a match, so "</head>" also matches "</head >" and "< /head>". Bytes are compared
    // exactly (case-sensitive); a mismatch restarts the match only on the current character,
    // without back-off, so "aab" is not found in "aaab". A backward search starts at from and
    // goes towards 0. Returns the position of the match's first character, or -1 (also for an
    // empty pattern or a from beyond the text).
    int Find(std::string_view pattern, int from, bool forward = true) const;
    // The same search; *matchEnd (when given) receives the position of the match's last
    // character, or -1.
    int FindSpan(std::string_view pattern, int from, bool forward, int *matchEnd) const;

    // Replaces text[rangeStart .. rangeEnd] (both inclusive) by newText; rangeEnd may be
    // rangeStart - 1 for an empty range (a plain insertion at rangeStart). When either end is
    // -1 newText is appended. A range that lies outside the text or runs backwards changes
    // nothing and returns false.
    bool ReplaceRange(std::string_view newText);

    // Case-insensitive tolerant forward search for tag from position 0 (the tag must be given in
    // lower case, "</head>"); newText is inserted where the match begins. False, and the text
    // unchanged, when the tag is not found. Letter case in the text is never changed.
    bool InsertBefore(std::string_view tag, std::string_view newText);
    // Case-insensitive search for tag ("<body"), then for the first ">" from the last character
    // of that match; newText is inserted right after that ">". False (text unchanged) unless both
    // are found.
    bool InsertAfterTag(std::string_view tag, std::string_view newText);

    // Replaces "$(" + name + ")" (exact, case-sensitive) by value, or by ExpandMacro(name) when
    // value is absent; only the first occurrence when once is set. Replacement text is never
    // scanned again. Returns whether at least one occurrence was found.
    bool ReplaceMacro(std::string_view name, std::optional<std::string_view> value = std::nullopt,
                      bool once = false);
    // The built-in macros: "Date" (today, "Monday, July 3, 2000"), "App" (the program folder
    // with its trailing "/"), "Windows" ("/usr"), "System" ("/usr/bin"); "" for any other name.
    static std::string ExpandMacro(std::string_view name);
    // The "Date" text for a calendar date: fixed English weekday and month names, the day
    // without a leading zero and the four-digit year. Uses tm_wday, tm_mon, tm_mday, tm_year.
    static std::string DateText(const std::tm &date);

    // Writes the text up to, not including, the first "$(Copy" (all of it when there is none)
    // to path, byte for byte. The file is replaced atomically: when writing fails the old file
    // is left as it was. A symbolic link is written through to its target. False when the file
    // cannot be written; error (when given) then says why.
    bool SaveToFile(const std::string &path, std::string *error = nullptr) const;

    std::string &Text() { return m_text; }
    const std::string &Text() const { return m_text; }

    // Set by the caller before ReplaceRange; both inclusive, -1 when unset.
    int rangeStart = -1;
    int rangeEnd = -1;

private:
    std::string &m_text;
};

// The tolerant search of CHtmlText::FindSpan over any text.
int FindTolerant(std::string_view text, std::string_view pattern, int from, bool forward,
                 int *matchEnd = nullptr);

// The end-of-content marker of templates: nothing from it on is written to a page file.
inline constexpr std::string_view kCopyMarker = "$(Copy";

// Reads a whole file into out, keeping its content up to the first zero byte. False (out empty)
// when the file cannot be read, is larger than INT_MAX bytes or no memory can be had for it.
// cutAtZero (when given) tells whether a zero byte cut the content short; code that writes the
// text back to the same file must not do so then, or it would lose the rest of the file.
// error (when given) says why a read failed.
bool ReadTextFile(const std::string &path, std::string &out, bool *cutAtZero = nullptr,
                  std::string *error = nullptr);
// Replaces the file at path by text, atomically (see CHtmlText::SaveToFile). False when the
// file cannot be written; the old file is then intact.
bool WriteTextFile(std::string_view text, const std::string &path, std::string *error = nullptr);

// A copy of text with a carriage return before every line feed (also before one that already
// follows a carriage return).
std::string ToCrLf(std::string_view text);

// Picks a piece out of a page: finds startMarker (tolerant, forward from 0); the piece begins
// just after the nearest tagOpen at or before the marker (from the text's start when there is
// none) when tagOpen is not empty, else just after the marker; it ends before the first
// endMarker found from its beginning. "" when the file cannot be read or a marker is missing.
std::string ExtractBlock(std::string_view startMarker, std::string_view endMarker,
                         std::string_view tagOpen, const std::string &path);
// The same on a text in memory.
std::string ExtractBlockFromText(std::string_view text, std::string_view startMarker,
                                 std::string_view endMarker, std::string_view tagOpen);

// The value of one attribute in a piece of tag text; attrPrefix includes the "=" ("content=").
// A quoted value runs to the next double quote, an unquoted one to the next space. "" when the
// attribute is missing, or when the closing quote (or the space after an unquoted value) is.
std::string ExtractAttribute(std::string_view tagText, std::string_view attrPrefix);

// Replaces or adds one tag in a page file. newTag that does not both begin with "<" and end with
// ">" gets marker appended. When marker is found, the whole tag containing it (from the nearest
// "<" before it to the first ">" from it) is replaced by newTag; otherwise newTag, with CR LF
// line ends, is inserted before insertBefore (case-insensitive, "</head>"). Then the whole text
// is saved ("$(Copy" in a page is the page's own text). False, and the file untouched, when it
// cannot be read (or holds a zero byte) or cannot be written.
bool SetHeadTag(std::string_view marker, std::string_view newTag, const std::string &path,
                std::string_view insertBefore);
