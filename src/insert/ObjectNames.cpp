#include "insert/ObjectNames.h"

#include "util/FileUtil.h"
#include "util/StringUtil.h"

#include <cstdlib>

static bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

static bool isAsciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

static bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

static std::string trimBlanks(const std::string &text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool NameExists(const std::string &name, const std::vector<std::string> &names)
{
    for (const std::string &entry : names) {
        if (entry == name)
            return true;
    }
    return false;
}

std::string UniqueNameFromPath(const std::string &path, const std::vector<std::string> &names)
{
    std::string title = trimBlanks(util::PathFileTitle(path));
    for (char &c : title) {
        if (isBlank(c))
            c = '_';
    }
    if (!NameExists(title, names))
        return title;
    // Terminates: names is finite and every candidate is new.
    for (unsigned long k = 1;; ++k) {
        std::string candidate = title + std::to_string(k);
        if (!NameExists(candidate, names))
            return candidate;
    }
}

std::string MakeValidName(const std::string &nameIn, const std::vector<std::string> *names)
{
    std::string name = trimBlanks(nameIn);
    if (name.empty())
        return "R" + std::to_string(std::rand() % 32768);
    if (!isAsciiLetter(name[0]))
        name[0] = 'a';
    for (size_t i = 1; i < name.size(); ++i) {
        if (!isAsciiLetter(name[i]) && !isAsciiDigit(name[i]))
            name[i] = '_';
    }
    if (names) {
        // Each step gives the same prefix with a larger number, so this ends.
        while (NameExists(name, *names))
            name = NextNumberedName(name);
    }
    return name;
}

std::string NextNumberedName(const std::string &name)
{
    size_t first = 0;
    while (first < name.size() && !isAsciiDigit(name[first]))
        ++first;
    if (first == name.size())
        return name + "1";
    size_t end = first;
    while (end < name.size() && isAsciiDigit(name[end]))
        ++end;
    // Count on in decimal text, so that a long run of digits neither overflows nor wraps:
    // the value as written without leading zeros, plus one.
    std::string number = name.substr(first, end - first);
    const size_t nonZero = number.find_first_not_of('0');
    number = nonZero == std::string::npos ? std::string("0") : number.substr(nonZero);
    size_t i = number.size();
    while (i > 0 && number[i - 1] == '9') {
        number[i - 1] = '0';
        --i;
    }
    if (i == 0)
        number.insert(number.begin(), '1');
    else
        ++number[i - 1];
    return name.substr(0, first) + number;
}

std::int16_t CountRandomSet(const std::string &sourcePath)
{
    // Split at the dot of the file name itself, never at one in a folder name.
    const std::string folder = util::PathFolder(sourcePath);
    const std::string fileName = sourcePath.substr(folder.size());
    const size_t dot = fileName.rfind('.');
    const std::string title = dot == std::string::npos ? fileName : fileName.substr(0, dot);
    const std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot);
    if (title.size() < 4)
        return 0;
    for (size_t i = title.size() - 4; i < title.size(); ++i) {
        if (!isAsciiDigit(title[i]))
            return 0;
    }
    const std::string base = folder + title.substr(0, title.size() - 4);
    int n = 1;
    while (n <= 9999 && util::FileExists(base + util::Format("%04d", n) + extension))
        ++n;
    return static_cast<std::int16_t>(n - 1);
}
