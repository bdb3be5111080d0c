#include "util/ProfileFile.h"

#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include <cstdint>

static std::string indexKey(int index)
{
    return std::to_string(static_cast<int16_t>(index));
}

bool ProfileFile::Load(const std::string &path, bool readOnly)
{
    m_path = path;
    m_writable = !readOnly;
    std::string text;
    if (!util::ReadFile(path, text))
        return false;

    Section *current = nullptr;
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = text.find('\n', lineStart);
        if (lineEnd == std::string::npos)
            lineEnd = text.size();
        const std::string_view line = util::TrimWhite(
            std::string_view(text).substr(lineStart, lineEnd - lineStart));
        lineStart = lineEnd + 1;

        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const size_t close = line.find(']', 1);
            const std::string name(line.substr(1, close == std::string_view::npos ? std::string_view::npos
                                                                                : close - 1));
            current = name.empty() ? nullptr : &m_sections[name];
            continue;
        }
        if (!current)
            continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            (*current)[util::ToLowerAscii(line)] = std::string(line);
        else
            (*current)[std::string(line.substr(0, equals))] = std::string(line.substr(equals + 1));
    }
    m_dirty = false;
    return true;
}

std::string ProfileFile::ToText() const
{
    std::string text;
    for (const auto &[name, entries] : m_sections) {
        text += '[';
        text += name;
        text += "]\r\n";
        for (const auto &[key, value] : entries) {
            text += key;
            text += '=';
            text += value;
            text += "\r\n";
        }
    }
    return text;
}

bool ProfileFile::Save()
{
    if (!m_writable || !m_dirty)
        return true;
    if (!util::WriteFileAtomic(m_path, ToText()))
        return false;
    m_dirty = false;
    return true;
}

bool ProfileFile::SaveAs(const std::string &path)
{
    m_path = path;
    return Save();
}

bool ProfileFile::SetString(const std::string &section, const std::string &key,
                            const std::string &value, bool encodeNewlines)
{
    Section &entries = m_sections[section];
    if (value.empty()) {
        entries.erase(key);
    } else {
        std::string stored = value;
        if (encodeNewlines) {
            for (char &c : stored) {
                if (c == '\n')
                    c = '`';
            }
        }
        entries[key] = std::move(stored);
    }
    m_dirty = true;
    return true;
}

bool ProfileFile::GetString(const std::string &section, const std::string &key, std::string &out,
                            bool decodeNewlines) const
{
    out.clear();
    const auto found = m_sections.find(section);
    if (found == m_sections.end())
        return false;
    const auto entry = found->second.find(key);
    if (entry == found->second.end())
        return false;
    out = entry->second;
    if (decodeNewlines) {
        for (char &c : out) {
            if (c == '`')
                c = '\n';
        }
    }
    return true;
}

bool ProfileFile::SetInt(const std::string &section, const std::string &key, int value)
{
    return SetString(section, key, std::to_string(static_cast<int16_t>(value)));
}

bool ProfileFile::GetInt(const std::string &section, const std::string &key, int &out) const
{
    std::string text;
    if (!GetString(section, key, text))
        return false;
    out = static_cast<int16_t>(static_cast<uint16_t>(util::ParseDecimal(text) & 0xFFFF));
    return true;
}

bool ProfileFile::SetIndexed(const std::string &section, int index, const std::string &value,
                             bool encodeNewlines)
{
    return SetString(section, indexKey(index), value, encodeNewlines);
}

bool ProfileFile::GetIndexed(const std::string &section, int index, std::string &out,
                             bool decodeNewlines) const
{
    return GetString(section, indexKey(index), out, decodeNewlines);
}

void ProfileFile::RemoveSection(const std::string &section)
{
    if (m_sections.erase(section) > 0)
        m_dirty = true;
}

void ProfileFile::Clear()
{
    m_sections.clear();
}
