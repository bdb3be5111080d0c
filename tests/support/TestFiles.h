#pragma once

#include "util/FileUtil.h"

#include <string>

// Reading and writing whole files in tests, through the core's own file helpers.

// The bytes of the file; "" when it cannot be read.
inline std::string readAll(const std::string &path)
{
    std::string text;
    util::ReadFile(path, text);
    return text;
}

// Writes text to path (atomically), making the missing folders first; false on failure.
inline bool writeFile(const std::string &path, const std::string &text)
{
    return util::MakeFolders(util::PathFolder(path)) && util::WriteFileAtomic(path, text);
}
