#include "util/StringUtil.h"

#include <climits>
#include <cstdarg>
#include <cstdio>

namespace util {

std::string Format(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (needed > 0) {
        out.resize(static_cast<size_t>(needed));
        std::vsnprintf(out.data(), out.size() + 1, format, args);
    }
    va_end(args);
    return out;
}

static char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

static char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}

std::string ToLowerAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = lowerAscii(c);
    return out;
}

std::string ToUpperAscii(std::string_view text)
{
    std::string out(text);
    for (char &c : out)
        c = upperAscii(c);
    return out;
}

bool EqualsIgnoreCaseAscii(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    }
    return true;
}

bool StartsWithIgnoreCaseAscii(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoreCaseAscii(text.substr(0, prefix.size()), prefix);
}

long ParseDecimal(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r'
                               || text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value > (LONG_MAX - digit) / 10)
            return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::string_view TrimWhite(std::string_view text)
{
    const auto isWhite = [](char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
    };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isWhite(text[begin]))
        ++begin;
    while (end > begin && isWhite(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace util
