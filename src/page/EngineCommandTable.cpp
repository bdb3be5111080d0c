#include "page/EngineCommandTable.h"

#include "engine/EngineIds.h"
#include "toolkit/CommandIds.h"

#include <iterator>

namespace {

using Input = EngineCommandRow::Input;

constexpr EngineCommandRow kRows[] = {
    {cmd::InsertImageEngine, EngineId::InsertImage, true, Input::None},
    {cmd::InsertLink, EngineId::Hyperlink, true, Input::None},
    {cmd::FontDialog, EngineId::FontDialog, true, Input::None},
    {cmd::AlignLeft, EngineId::AlignLeft, false, Input::None},
    {cmd::AlignRight, EngineId::AlignRight, false, Input::None},
    {cmd::Center, EngineId::Center, false, Input::None},
    {cmd::NumberList, EngineId::NumberedList, false, Input::None},
    {cmd::BulletList, EngineId::BulletedList, false, Input::None},
    {cmd::IncreaseIndent, EngineId::Indent, false, Input::None},
    {cmd::DecreaseIndent, EngineId::Outdent, false, Input::None},
    {cmd::Undo, EngineId::Undo, false, Input::None},
    {cmd::Redo, EngineId::Redo, false, Input::None},
    {cmd::Delete, EngineId::Delete, false, Input::None},
    {cmd::SelectAll, EngineId::SelectAll, false, Input::None},
    {cmd::Find, EngineId::Find, true, Input::None},
    {cmd::Cut, EngineId::Cut, false, Input::None},
    {cmd::Copy, EngineId::Copy, false, Input::None},
    {cmd::Paste, EngineId::Paste, false, Input::None},
    {cmd::SelectAll, EngineId::SelectAll, false, Input::None}, // never reached
    {cmd::Bold, EngineId::Bold, false, Input::None},
    {cmd::Italic, EngineId::Italic, false, Input::None},
    {cmd::Underline, EngineId::Underline, false, Input::None},
    {cmd::PrintToolbar, EngineId::Print, false, Input::None},
    {cmd::Print, EngineId::Print, true, Input::None},
    {cmd::InsertTable, EngineId::InsertTable, false, Input::Table},
    {cmd::InsertRow, EngineId::InsertRow, false, Input::None},
    {cmd::InsertColumn, EngineId::InsertColumn, false, Input::None},
    {cmd::DeleteRows, EngineId::DeleteRows, false, Input::None},
    {cmd::DeleteColumns, EngineId::DeleteColumns, false, Input::None},
    {cmd::MergeCells, EngineId::MergeCells, false, Input::None},
    {cmd::SplitCell, EngineId::SplitCell, false, Input::None},
    {cmd::InsertCell, EngineId::InsertCell, false, Input::None},
    {cmd::DeleteCells, EngineId::DeleteCells, false, Input::None},
    {cmd::MakeAbsolute, EngineId::MakeAbsolute, false, Input::None},
    {cmd::LockObject, EngineId::LockElement, false, Input::None},
    {cmd::SendToBack, EngineId::SendToBack, false, Input::None},
    {cmd::BringToFront, EngineId::BringToFront, false, Input::None},
    {cmd::SendBackward, EngineId::SendBackward, false, Input::None},
    {cmd::BringForward, EngineId::BringForward, false, Input::None},
    {cmd::SendBelowText, EngineId::SendBelowText, false, Input::None},
    {cmd::BringAboveText, EngineId::BringAboveText, false, Input::None},
    {cmd::Constrain, EngineId::Constrain, false, Input::Constrain},
    {cmd::MoveObject, EngineId::NudgeElement, false, Input::MoveDialog},
    {cmd::SetGrid, EngineId::SetAlignmentGrid, false, Input::GridDialog},
    {cmd::Tags, EngineId::ShowDetails, false, Input::None},
    {cmd::EditorMode, EngineId::EditMode, false, Input::None},
    {cmd::BrowserMode, EngineId::BrowseMode, false, Input::None},
};

static_assert(std::size(kRows) == 47);

} // namespace

const EngineCommandRow *FindEngineCommandRow(int menuId)
{
    for (const EngineCommandRow &row : kRows) {
        if (row.menuId == menuId)
            return &row;
    }
    return nullptr;
}

bool IsLatchingEngineCommand(int engineId)
{
    switch (engineId) {
    case EngineId::Bold:
    case EngineId::Italic:
    case EngineId::Underline:
    case EngineId::AlignLeft:
    case EngineId::Center:
    case EngineId::AlignRight:
    case EngineId::NumberedList:
    case EngineId::BulletedList:
    case EngineId::MakeAbsolute:
    case EngineId::LockElement:
    case EngineId::Constrain:
    case EngineId::ShowDetails:
    case EngineId::EditMode:
    case EngineId::BrowseMode:
        return true;
    default:
        return false;
    }
}

const EngineCommandRow *EngineCommandRows()
{
    return kRows;
}

std::size_t EngineCommandRowCount()
{
    return std::size(kRows);
}
