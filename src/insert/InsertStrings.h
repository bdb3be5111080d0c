#pragma once

#include <string>

// The numbered texts of the insert commands: the text boxes, the Flash and Shockwave object
// templates and the dialog messages. Templates carry bare line feeds, as string-table texts do.
namespace InsertStrings {

enum Id {
    TextBoxFirst = 131, // 131 to 135: positioned text boxes, one per step of the cycle
    TextBoxLast = 135,
    FlashTemplate = 140,     // with "$(SrcValue)" for the movie reference
    ShockwaveTemplate = 142, // with "$(SrcValue)" for the movie reference
    RandomSetNotFound = 156,
};

// The text with that id; empty for an id this table does not hold.
std::string Get(int id);

} // namespace InsertStrings
