#pragma once

#include <string>
#include <string_view>

// Small text helpers shared by the HTML generators of this folder.

// A copy of path with every backslash replaced by a slash; nothing else changes.
std::string ToForwardSlashes(std::string_view path);

// A value made safe for a double-quoted attribute: each double quote becomes "&quot;". Every
// other byte (ampersands included) is kept, so values the author wrote as HTML stay as they are.
std::string AttributeValue(std::string_view value);

// A value made safe for a single-quoted script string that itself sits inside a double-quoted
// attribute (onClick="qxSound('...')"): each single quote becomes \' and each double quote
// "&quot;". The generators pass only slash-converted paths here, which hold no backslash.
std::string ScriptStringValue(std::string_view value);
