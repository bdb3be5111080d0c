#pragma once

// Command numbers of the editing component (CEditEngine::QueryEngineCommand and
// ExecEngineCommand) and the flags a query returns.
namespace EngineId {
enum : int {
    NudgeElement = 2,     // input: QPoint (dx, dy) in pixels
    SetAlignmentGrid = 3, // input: QPoint (x, y) in pixels; 0 = no grid on that axis
    MakeAbsolute = 4,     // latched while the selected element is absolutely positioned
    LockElement = 5,      // latched while the selected positioned element is locked
    SendToBack = 6,
    BringToFront = 7,
    SendBackward = 8,
    BringForward = 9,
    SendBelowText = 10,
    BringAboveText = 11,
    Constrain = 12, // input: bool

    InsertRow = 14,
    InsertColumn = 15,
    DeleteRows = 16,
    DeleteColumns = 17,
    MergeCells = 18,
    SplitCell = 19,
    InsertCell = 20,
    DeleteCells = 21,
    InsertTable = 22, // input: QVariantMap { "rows": int, "columns": int }

    ActivateActiveX = 23, // input: bool; latched state only
    ActivateApplets = 24, // input: bool; latched state only
    ActivateDTCs = 25,    // input: bool; latched state only

    BlockFormat = 27, // input/output: QString, one of the BlockFormatNames
    Bold = 28,
    BrowseMode = 29,
    Copy = 30,
    Cut = 31,
    Delete = 32,
    EditMode = 33,
    Find = 34,             // input without prompt: QString, or QVariantMap (see CEditEngine)
    FontDialog = 35,       // input without prompt: QVariantMap (see CEditEngine)
    FontName = 36,         // input/output: QString
    FontSize = 37,         // input/output: int 1..7
    FontColor = 38,        // input/output: int colour, red in the low byte; -1 = automatic
    BlockFormatNames = 39, // output: QStringList
    Hyperlink = 40,        // input without prompt: QString address
    InsertImage = 41,      // input without prompt: QString source
    Indent = 42,
    Italic = 43,
    Center = 44,
    AlignLeft = 45,
    AlignRight = 46,
    NumberedList = 47,
    Outdent = 48,
    Paste = 50,
    Print = 51, // input (optional): QString path of a PDF file to print into
    Redo = 52,
    SelectAll = 54,
    ShowBorders = 55, // input: bool
    ShowDetails = 56, // input: bool
    Underline = 57,
    Undo = 58,
    BulletedList = 60,
};
} // namespace EngineId

namespace EngineFlag {
enum : int {
    Supported = 1,
    Enabled = 2,
    Latched = 4,
    Indeterminate = 8,
};
} // namespace EngineFlag

// Source-filter flags (a filtered load or's them with FilterOnLoad).
namespace EngineFilter {
enum : int {
    None = 1, // no filter option is on
    DTCs = 2,
    ServerScript = 8,
    SourceFormatting = 16,
    FilterOnLoad = 0x10000000,
};
} // namespace EngineFilter
