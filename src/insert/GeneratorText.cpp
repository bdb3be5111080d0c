#include "insert/GeneratorText.h"

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
