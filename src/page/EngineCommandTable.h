#pragma once

#include <cstddef>

// The static table that turns command ids 32800-32887 into commands of the editing component.
// Rows are searched in order and the first match wins (the table keeps a second row for 32810
// that is never reached).
struct EngineCommandRow
{
    enum class Input { None, Table, Constrain, MoveDialog, GridDialog };

    int menuId;
    int engineId;
    bool prompt; // prompt the user (and show a failure)
    Input input; // the input provider that runs first and may cancel the command
};

// The row for menuId, or null.
const EngineCommandRow *FindEngineCommandRow(int menuId);

// True for the component's on/off commands (character formats, alignment, lists, positioning
// toggles, tags, editor and browser mode): only their items show a check mark.
bool IsLatchingEngineCommand(int engineId);

const EngineCommandRow *EngineCommandRows();
std::size_t EngineCommandRowCount();
