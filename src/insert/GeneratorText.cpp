#include "insert/GeneratorText.h"

#include "util/StringUtil.h"

#include <algorithm>

std::string ToForwardSlashes(std::string_view path)
{
    std::string out(path);
    for (char &c : out) {
        if (c == '\\')
            c = '/';
    }
    return out;
}

std::string AttributeValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

std::string ScriptStringValue(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '\'')
            out += "\\'";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

std::int16_t DecimalBoxValue16(std::string_view text)
{
    return static_cast<std::int16_t>(
        std::clamp<long>(util::ParseDecimal(text), INT16_MIN, INT16_MAX));
}
