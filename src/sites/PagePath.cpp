#include "sites/PagePath.h"

#include "util/StringUtil.h"

#include <cctype>

namespace {

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::string percentDecode(const std::string &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
            hexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// A URL scheme ("http:", "file:") at the start of text: letters, digits, "+", "-", "." after a
// first letter, then ":".
size_t schemeLength(const std::string &text)
{
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0])))
        return 0;
    for (size_t i = 1; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == ':')
            return i;
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return 0;
    }
    return 0;
}

} // namespace

std::string LocalPagePath(const std::string &pagePath)
{
    if (pagePath.empty() || pagePath.front() == '/')
        return pagePath;
    const size_t scheme = schemeLength(pagePath);
    if (scheme == 0)
        return pagePath; // a relative path
    if (!util::EqualsIgnoreCaseAscii(pagePath.substr(0, scheme), "file"))
        return {};
    std::string rest = pagePath.substr(scheme + 1);
    if (rest.rfind("//", 0) == 0) {
        rest.erase(0, 2);
        const size_t slash = rest.find('/');
        const std::string host = slash == std::string::npos ? rest : rest.substr(0, slash);
        if (!host.empty() && !util::EqualsIgnoreCaseAscii(host, "localhost"))
            return {}; // a file on another machine
        rest = slash == std::string::npos ? std::string() : rest.substr(slash);
    }
    const size_t query = rest.find_first_of("?#");
    if (query != std::string::npos)
        rest.erase(query);
    rest = percentDecode(rest);
    return !rest.empty() && rest.front() == '/' ? rest : std::string();
}
