#include "frame/MainMenus.h"

#include "frame/CommandStrings.h"
#include "toolkit/CMDIFrameWnd.h"
#include "toolkit/CommandIds.h"

#include <QAction>
#include <QMenu>

namespace {

class MenuMaker
{
public:
    explicit MenuMaker(CMDIFrameWnd *frame)
        : m_frame(frame)
    {}

    QMenu *Popup(QWidget *owner, const char *title)
    {
        auto *menu = new QMenu(QString::fromUtf8(title), owner);
        QObject::connect(menu, &QMenu::aboutToShow, m_frame,
                         [frame = m_frame, menu] { frame->UpdateMenu(menu); });
        return menu;
    }

    void Item(QMenu *menu, const char *text, int id)
    {
        auto *action = new QAction(QString::fromUtf8(text), menu);
        action->setStatusTip(CommandStatusText(id));
        menu->addAction(m_frame->BindAction(action, id));
    }

private:
    CMDIFrameWnd *m_frame;
};

} // namespace

MainMenus BuildMainMenus(CMDIFrameWnd *frame, QWidget *owner)
{
    MenuMaker make(frame);
    MainMenus menus;

    // Menu 128: no page open.
    QMenu *file = make.Popup(owner, "&File");
    make.Item(file, "&New\tCtrl+N", cmd::FileNew);
    file->addSeparator();
    make.Item(file, "&Open File...", cmd::FileOpen);
    make.Item(file, "Open &URL...", cmd::OpenUrl);
    file->addSeparator();
    make.Item(file, "Define &Site...", cmd::DefineSite);
    make.Item(file, "Recent File", cmd::FileMru1);
    file->addSeparator();
    make.Item(file, "E&xit", cmd::AppExit);
    QMenu *view = make.Popup(owner, "&View");
    make.Item(view, "&Toolbar", cmd::ViewToolbar);
    make.Item(view, "&Status Bar", cmd::ViewStatusBar);
    QMenu *help = make.Popup(owner, "&Help");
    make.Item(help, "&About Pelion Web Builder...", cmd::AppAbout);
    make.Item(help, "&Lessons", cmd::Lessons);
    menus.noPage = {file, view, help};
    menus.fileMenus.append(file);

    // Menu 129: a page is open.
    file = make.Popup(owner, "&File");
    make.Item(file, "&New\tCtrl+N", cmd::FileNew);
    make.Item(file, "&Close", cmd::FileClose);
    file->addSeparator();
    make.Item(file, "&Open...", cmd::FileOpen);
    make.Item(file, "Open &URL...", cmd::OpenUrl);
    make.Item(file, "&Reload", cmd::Reload);
    file->addSeparator();
    make.Item(file, "&Save", cmd::FileSave);
    make.Item(file, "Save &As...", cmd::SaveAs);
    file->addSeparator();
    make.Item(file, "Pelion &Extensions...", cmd::PelionExtensions);
    make.Item(file, "Create &Frameset...", cmd::CreateFrameset);
    make.Item(file, "Define &Site...", cmd::DefineSite);
    file->addSeparator();
    make.Item(file, "&Print...", cmd::Print);
    file->addSeparator();
    make.Item(file, "Recent File", cmd::FileMru1);
    file->addSeparator();
    make.Item(file, "E&xit", cmd::AppExit);
    menus.fileMenus.append(file);

    QMenu *edit = make.Popup(owner, "&Edit");
    make.Item(edit, "&Undo\tCtrl+Z", cmd::Undo);
    make.Item(edit, "&Redo\tCtrl+Y", cmd::Redo);
    edit->addSeparator();
    make.Item(edit, "Cu&t\tCtrl+X", cmd::Cut);
    make.Item(edit, "&Copy\tCtrl+C", cmd::Copy);
    make.Item(edit, "&Paste\tCtrl+V", cmd::Paste);
    make.Item(edit, "Paste &Special", cmd::PasteSpecial);
    edit->addSeparator();
    make.Item(edit, "&Delete\tDel", cmd::Delete);
    edit->addSeparator();
    make.Item(edit, "Select &All\tCtrl+A", cmd::SelectAll);
    edit->addSeparator();
    make.Item(edit, "&Find Text...\tCtrl+F", cmd::Find);

    view = make.Popup(owner, "&View");
    make.Item(view, "T&oolbar", cmd::ViewToolbar);
    make.Item(view, "&Format Bar", cmd::ToggleFormatBar);
    make.Item(view, "&Status Bar", cmd::ViewStatusBar);
    make.Item(view, "&Object Bar", cmd::ToggleObjectBar);
    view->addSeparator();
    make.Item(view, "&Tags", cmd::Tags);
    view->addSeparator();
    make.Item(view, "&Editor Mode", cmd::EditorMode);
    make.Item(view, "&Browser Mode", cmd::BrowserMode);
    view->addSeparator();
    make.Item(view, "O&ptions...", cmd::Options);

    QMenu *insert = make.Popup(owner, "&Insert");
    make.Item(insert, "&Link...\tCtrl+K", cmd::InsertLink);
    make.Item(insert, "&Anchor...", cmd::InsertAnchor);
    make.Item(insert, "&Text Box", cmd::TextBox);
    insert->addSeparator();
    make.Item(insert, "&Image/Animation...", cmd::InsertImage);
    make.Item(insert, "Sound/&Media...", cmd::InsertMedia);
    insert->addSeparator();
    make.Item(insert, "&Horizontal Rule", cmd::HorizontalRule);
    make.Item(insert, "New Line\tShift+Enter", cmd::NewLine);
    make.Item(insert, "New &Paragraph\tEnter", cmd::NewParagraph);
    insert->addSeparator();
    make.Item(insert, "&Form...", cmd::InsertForm);
    QMenu *element = make.Popup(insert, "Form &Element");
    make.Item(element, "Button...", cmd::InsertButton);
    make.Item(element, "Checkbox...", cmd::InsertCheckbox);
    make.Item(element, "Radio button...", cmd::InsertRadio);
    make.Item(element, "List / Menu...", cmd::InsertListMenu);
    make.Item(element, "Text field...", cmd::InsertTextField);
    insert->addMenu(element);
    insert->addSeparator();
    make.Item(insert, "&HTML, JavaScript or VBScript...", cmd::InsertScript);
    make.Item(insert, "&Applet...", cmd::InsertApplet);
    make.Item(insert, "Fla&sh...", cmd::InsertFlash);
    make.Item(insert, "Shock&wave...", cmd::InsertShockwave);

    QMenu *format = make.Popup(owner, "F&ormat");
    make.Item(format, "&Style", cmd::Style);
    make.Item(format, "&Font...", cmd::FontDialog);
    format->addSeparator();
    make.Item(format, "Align &Left", cmd::AlignLeft);
    make.Item(format, "&Center", cmd::Center);
    make.Item(format, "Align &Right", cmd::AlignRight);
    format->addSeparator();
    make.Item(format, "&Bullet List", cmd::BulletList);
    make.Item(format, "&Number List", cmd::NumberList);
    format->addSeparator();
    make.Item(format, "&Increase Indent", cmd::IncreaseIndent);
    make.Item(format, "&Decrease Indent", cmd::DecreaseIndent);

    QMenu *table = make.Popup(owner, "T&able");
    make.Item(table, "Insert &Table...", cmd::InsertTable);
    table->addSeparator();
    make.Item(table, "Insert &Row", cmd::InsertRow);
    make.Item(table, "Insert &Column", cmd::InsertColumn);
    make.Item(table, "&Insert Cell", cmd::InsertCell);
    table->addSeparator();
    make.Item(table, "Delete Ro&ws", cmd::DeleteRows);
    make.Item(table, "Delete Colu&mns", cmd::DeleteColumns);
    make.Item(table, "Delete C&ells", cmd::DeleteCells);
    table->addSeparator();
    make.Item(table, "&Merge Cells", cmd::MergeCells);
    make.Item(table, "&Split Cell", cmd::SplitCell);

    QMenu *position = make.Popup(owner, "&Position");
    make.Item(position, "&Absolute", cmd::MakeAbsolute);
    position->addSeparator();
    make.Item(position, "Bring to &Front", cmd::BringToFront);
    make.Item(position, "Send to &Back", cmd::SendToBack);
    make.Item(position, "Bring Fo&rward", cmd::BringForward);
    make.Item(position, "Send Bac&kward", cmd::SendBackward);
    make.Item(position, "Bring above te&xt", cmd::BringAboveText);
    make.Item(position, "Send belo&w text", cmd::SendBelowText);
    position->addSeparator();
    make.Item(position, "&Move Object...", cmd::MoveObject);
    make.Item(position, "&Lock Object", cmd::LockObject);
    position->addSeparator();
    make.Item(position, "&Unidirectional Positioning", cmd::Constrain);
    make.Item(position, "Set &Grid...", cmd::SetGrid);

    QMenu *tools = make.Popup(owner, "&Tools");
    make.Item(tools, "&Add/Edit...", cmd::ToolsAddEdit);
    tools->addSeparator();

    QMenu *window = make.Popup(owner, "&Window");
    make.Item(window, "&New Window", cmd::WindowNew);
    make.Item(window, "&Cascade", cmd::WindowCascade);
    make.Item(window, "&Tile", cmd::WindowTile);
    make.Item(window, "&Arrange Icons", cmd::WindowArrange);

    help = make.Popup(owner, "&Help");
    make.Item(help, "&About Pelion Web Builder...", cmd::AppAbout);
    make.Item(help, "&Lessons...", cmd::Lessons);
    make.Item(help, "&How to...", cmd::HowTo);

    menus.page = {file, edit, view, insert, format, table, position, tools, window, help};
    menus.toolsMenu = tools;
    menus.windowMenu = window;
    return menus;
}
