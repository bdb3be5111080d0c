#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Naming of inserted objects. Names are compared byte for byte (case-sensitively); "blanks" are
// spaces and tabs only.

// Whether some entry of names equals name exactly.
bool NameExists(const std::string &name, const std::vector<std::string> &names);

// A name taken from a file path: the file title (no folder, no extension) with blanks trimmed at
// both ends and inner blanks made "_"; when that is in names, the first free of title1, title2...
// An empty title gives "" (MakeValidName later supplies a name).
std::string UniqueNameFromPath(const std::string &path, const std::vector<std::string> &names);

// A name scripts can use: trimmed of blanks; "R" and a pseudo-random number from 0 to 32767 when
// nothing is left (not compared with names); a first character that is not an ASCII letter is
// replaced by "a"; every further character that is not an ASCII letter or digit becomes "_".
// With names given, the result is numbered on with NextNumberedName until it is not among them.
std::string MakeValidName(const std::string &name, const std::vector<std::string> *names);

// The next name of a numbered series: without a digit, name + "1"; otherwise the text before the
// first digit followed by the number that starts there, plus one. Text after that number is
// dropped ("img" -> "img1", "img9" -> "img10", "a1b2" -> "a2"); numbers of any length count on.
std::string NextNumberedName(const std::string &name);

// The size of the numbered image set a source belongs to: the four digits before the extension
// of its file name are replaced by 0001, 0002, ... and the files that exist in a row from 0001
// are counted (at most 9999). 0 when the file title does not end in four digits or 0001 is
// missing.
std::int16_t CountRandomSet(const std::string &sourcePath);
