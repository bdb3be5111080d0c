#pragma once

#include <cstdint>
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

// The value of a 16-bit number box (a media play count, a frame margin): its leading decimal
// number as util::ParseDecimal reads it ("12abc" is 12, "" and "abc" are 0), held to the 16-bit
// range instead of wrapping ("70000" is 32767).
std::int16_t DecimalBoxValue16(std::string_view text);
