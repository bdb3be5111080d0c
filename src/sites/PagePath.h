#pragma once

#include <string>

// The local file path of a page given as a path or a "file:" URL; "" for any other URL
// ("http:", "about:", ...) and for an empty path.
std::string LocalPagePath(const std::string &pagePath);
