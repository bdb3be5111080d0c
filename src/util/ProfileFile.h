#pragma once

#include <map>
#include <string>

// An INI-shaped settings store held wholly in memory and written back on demand.
//
// Sections and keys are compared exactly (case-sensitive) and written in map order. Values are
// stored as given; a caller may ask for line feeds to be stored as backquotes so that a
// multi-line value fits on one line. Loading adds to what the store holds; Save writes only a
// writable, dirty store and replaces the file atomically, so a failed save leaves the old file.
class ProfileFile
{
public:
    using Section = std::map<std::string, std::string>;

    // Reads path into the store. read-only stores never write. False when the file cannot be
    // opened; the store is then unchanged (callers treat that as an empty store).
    bool Load(const std::string &path, bool readOnly = false);
    // Writes the store back to its path when writable and dirty. False only when the file cannot
    // be written; then the old file is intact, dirty stays set and the content survives.
    bool Save();
    bool SaveAs(const std::string &path);

    // An empty value removes the key. With encodeNewlines every "\n" is stored as "`".
    bool SetString(const std::string &section, const std::string &key, const std::string &value,
                   bool encodeNewlines = false);
    // Empties out; false when the section or the key is absent.
    bool GetString(const std::string &section, const std::string &key, std::string &out,
                   bool decodeNewlines = false) const;

    // Values are kept as signed 16-bit numbers: 40000 is stored as -25536.
    bool SetInt(const std::string &section, const std::string &key, int value);
    bool GetInt(const std::string &section, const std::string &key, int &out) const;

    // Numbered lists: the key is the decimal text of the 16-bit index.
    bool SetIndexed(const std::string &section, int index, const std::string &value,
                    bool encodeNewlines = false);
    bool GetIndexed(const std::string &section, int index, std::string &out,
                    bool decodeNewlines = false) const;

    // Removes a whole section (used when a numbered list is rewritten).
    void RemoveSection(const std::string &section);
    void Clear();

    const std::string &Path() const { return m_path; }
    bool IsWritable() const { return m_writable; }
    bool IsDirty() const { return m_dirty; }
    const std::map<std::string, Section> &Sections() const { return m_sections; }
    // The text Save writes (CR LF line ends).
    std::string ToText() const;

private:
    std::string m_path;
    bool m_writable = true;
    bool m_dirty = false;
    std::map<std::string, Section> m_sections;
};
