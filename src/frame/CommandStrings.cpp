#include "frame/CommandStrings.h"

#include "toolkit/CommandIds.h"

namespace {

struct CommandText
{
    int id;
    const char *text;
};

// Texts of the editing component's commands are kept exactly as stored, slips included.
constexpr CommandText kStrings[] = {
    {cmd::BlockFormatList, "Paragraph format\nParagraph Format"},
    {cmd::FontNameList, "Font name\nFont"},
    {cmd::FontSizeList, "Font size\nFont Size"},

    {cmd::FileNew, "Creates a new page\nNew"},
    {cmd::FileOpen, "Opens an existing page\nOpen"},
    {cmd::FileClose, "Closes the active page\nClose"},
    {cmd::FileSave, "Saves the active page\nSave"},
    {cmd::SaveAs, "Saves the active page under a new name\nSave As"},
    {cmd::OpenUrl, "Opens a page from a web address\nOpen URL"},
    {cmd::Reload, "Reloads the last saved version of the page\nReload"},
    {cmd::PelionExtensions, "Adds Pelion extensions to the page\nPelion Extensions"},
    {cmd::CreateFrameset, "Creates a frameset page\nCreate Frameset"},
    {cmd::DefineSite, "Adds, Edits or Deletes site definitions\nDefine Site"},
    {cmd::FileMru1, "Opens this page"},
    {cmd::FileMru1 + 1, "Opens this page"},
    {cmd::FileMru1 + 2, "Opens this page"},
    {cmd::FileMru1 + 3, "Opens this page"},
    {cmd::AppExit, "Quits the program; asks whether to save the open pages\nExit"},
    {cmd::AppAbout, "Shows the name and version of the program\nAbout"},
    {cmd::Lessons, "Opens the lessons\nLessons"},
    {cmd::HowTo, "Opens the how-to pages\nHow to"},

    {cmd::PasteSpecial, "Pastes the picture on the clipboard into the page\nPaste Special"},
    {cmd::ViewToolbar, "Shows or hides the toolbar\nToggle Toolbar"},
    {cmd::ToggleFormatBar, "Shows or hides the format bar\nToggle Format Bar"},
    {cmd::ViewStatusBar, "Shows or hides the status bar\nToggle Status Bar"},
    {cmd::ToggleObjectBar, "Shows or hides the object bar\nToggle Object Bar"},
    {cmd::Options, "Opens up the options dialog"},

    {cmd::InsertAnchor, "Inserts a named anchor\nInsert Anchor"},
    {cmd::TextBox, "Inserts a positioned text box\nInsert Text Box"},
    {cmd::InsertImage, "Inserts an image or an animation\nInsert Image"},
    {cmd::InsertMedia, "Inserts a sound or a media player\nInsert Sound/Media"},
    {cmd::HorizontalRule, "Inserts a horizontal rule\nHorizontal Rule"},
    {cmd::NewLine, "Inserts a line break\nNew Line"},
    {cmd::NewParagraph, "Starts a new paragraph\nNew Paragraph"},
    {cmd::InsertForm, "Inserts a form\nInsert Form"},
    {cmd::InsertButton, "Inserts a form button\nButton"},
    {cmd::InsertCheckbox, "Inserts a check box\nCheckbox"},
    {cmd::InsertRadio, "Inserts a radio button\nRadio Button"},
    {cmd::InsertListMenu, "Inserts a list or a menu\nList / Menu"},
    {cmd::InsertTextField, "Inserts a text field\nText Field"},
    {cmd::InsertScript, "Inserts HTML, JavaScript or VBScript\nInsert Script"},
    {cmd::InsertApplet, "Inserts a Java applet\nInsert Applet"},
    {cmd::InsertFlash, "Inserts a Flash movie\nInsert Flash"},
    {cmd::InsertShockwave, "Inserts a Shockwave movie\nInsert Shockwave"},
    {cmd::RecordSound, "Records a sound\nRecord Sound"},

    {cmd::Style, "Sets the paragraph style\nStyle"},
    {cmd::FontColor, "Sets the colour of the text\nFont Color"},
    {cmd::FormatPopup, "Sets the paragraph format\nFormat"},
    {cmd::ToolsAddEdit, "Adds, edits and removes the tools of this menu\nAdd/Edit Tools"},

    {cmd::WindowNew, "Opens the active page in another window\nNew Window"},
    {cmd::WindowCascade, "Arranges the page windows so that they overlap\nCascade Windows"},
    {cmd::WindowTile, "Arranges the page windows side by side\nTile Windows"},
    {cmd::WindowArrange, "Arranges the icons of minimised windows\nArrange Icons"},
    {cmd::NextPane, "Switches to the next pane\nNext Pane"},
    {cmd::PrevPane, "Switches to the previous pane\nPrevious Pane"},

    {cmd::InsertImageEngine, "Inserts an image\nInsert Image"},
    {cmd::InsertLink, "Inserts link\nInsert link"},
    {cmd::FontDialog, "Opens Font Dialog\nFont Dialog"},
    {cmd::AlignLeft, "Align Left\nAlign Left"},
    {cmd::AlignRight, "Align Right\nAlign Right"},
    {cmd::Center, "Align Center\nAlign Center"},
    {cmd::NumberList, "Number List\nNumber List"},
    {cmd::BulletList, "Bullet List\nBullet List"},
    {cmd::IncreaseIndent, "Increase Indent\nIncrease Indent"},
    {cmd::DecreaseIndent, "Decrease Indent\nDecrease Indent"},
    {cmd::Undo, "Undoes the last action\nUndo"},
    {cmd::Redo, "Redoes the previously undone action\nRedo"},
    {cmd::Delete, "Deletes the selection\nDelete"},
    {cmd::SelectAll, "Selects the entire document"},
    {cmd::Find, "Find Text\nFind Text"},
    {cmd::Cut, "Cuts the selection and moves it to the Clipboard\nCut"},
    {cmd::Copy, "Copies the selection to the clipboard\nCopy"},
    {cmd::Paste, "Inserts the Clipboard contents\nPaste"},
    {cmd::Bold, "Bold\nBold"},
    {cmd::Italic, "Italic\nItalic"},
    {cmd::Underline, "Underline\nUnderline"},
    {cmd::PrintToolbar, "Print\nPrint"},
    {cmd::Print, "Prints the document\nPrint"},
    {cmd::InsertTable, "Insert Table\nInsert Table"},
    {cmd::InsertRow, "Insert Row\nInsert Row"},
    {cmd::InsertColumn, "Insert Column\nInsert Column"},
    {cmd::DeleteRows, "Delete Rows\nDelete Rows"},
    {cmd::DeleteColumns, "Delete Columns\nDelete Columns"},
    {cmd::MergeCells, "Merge Cells\nMerge Cells"},
    {cmd::SplitCell, "Split Cell\nSplit Cell"},
    {cmd::InsertCell, "Insert Cell\nInsert Cell"},
    {cmd::DeleteCells, "Delete Cells\nDelete Cells"},
    {cmd::MakeAbsolute, "Make Absolute\nMake Absolute"},
    {cmd::LockObject, "Locks the object in the current position\nLock"},
    {cmd::SendToBack, "Send To Back\nSend To Back"},
    {cmd::BringToFront, "Bring To Front\nBring To Front"},
    {cmd::SendBackward, "Send Backward\\Send Backward"},
    {cmd::BringForward, "Bring Forward\nBring Forward"},
    {cmd::SendBelowText, "Send behind 1D\nSend behind 1D"},
    {cmd::BringAboveText, "Bring front 1D\nBring front 1D"},
    {cmd::Constrain, "Constrain\nConstrain"},
    {cmd::MoveObject, "Move Object\nMove object"},
    {cmd::SetGrid, "Sets the grid dimensions\nGrid"},
    {cmd::Tags, "Shows ans hides tags\nShow/Hide Tags"},
    {cmd::EditorMode, "Switches the Interactive Editor mode on\nInteractive Editor"},
    {cmd::BrowserMode, "Switches the browser mode on\nBrowser mode"},
};

} // namespace

QString CommandString(int id)
{
    for (const CommandText &entry : kStrings) {
        if (entry.id == id)
            return QString::fromUtf8(entry.text);
    }
    if (id >= cmd::ReservedFirst && id <= cmd::ReservedLast)
        return QStringLiteral("Reserved");
    return QString();
}

QString CommandStatusText(int id)
{
    return CommandString(id).section(QLatin1Char('\n'), 0, 0);
}

QString CommandToolTip(int id)
{
    const QString text = CommandString(id);
    const int newline = text.indexOf(QLatin1Char('\n'));
    return newline < 0 ? QString() : text.mid(newline + 1);
}
