#include "frame/ToolBars.h"

#include "frame/CommandIcons.h"
#include "frame/CommandStrings.h"
#include "toolkit/CMDIFrameWnd.h"
#include "toolkit/CommandIds.h"

#include <QAction>
#include <QToolBar>

void AddCommandButtons(QToolBar *bar, CMDIFrameWnd *frame, std::initializer_list<int> ids)
{
    for (int id : ids) {
        if (id == 0) {
            bar->addSeparator();
            continue;
        }
        const QString tip = CommandToolTip(id);
        auto *action =
            new QAction(CommandIcon(id), tip.isEmpty() ? CommandStatusText(id) : tip, bar);
        action->setStatusTip(CommandStatusText(id));
        action->setToolTip(tip);
        bar->addAction(frame->BindAction(action, id));
    }
}

QToolBar *CreateMainToolBar(CMDIFrameWnd *frame, QWidget *parent)
{
    auto *bar = new QToolBar(QStringLiteral("Toolbar"), parent);
    bar->setObjectName(QStringLiteral("mainToolBar"));
    bar->setIconSize(QSize(16, 16));
    AddCommandButtons(bar, frame,
                      {cmd::FileNew,
                       cmd::FileOpen,
                       cmd::FileSave,
                       cmd::Reload,
                       cmd::PelionExtensions,
                       0,
                       cmd::PrintToolbar,
                       0,
                       cmd::Find,
                       0,
                       cmd::Cut,
                       cmd::Copy,
                       cmd::Paste,
                       cmd::PasteSpecial,
                       0,
                       cmd::Undo,
                       cmd::Redo,
                       0,
                       cmd::EditorMode,
                       cmd::BrowserMode,
                       0,
                       cmd::MakeAbsolute,
                       cmd::BringToFront,
                       cmd::SendToBack,
                       0,
                       cmd::Tags,
                       0,
                       cmd::Lessons,
                       cmd::AppAbout});
    return bar;
}

QToolBar *CreateObjectBar(CMDIFrameWnd *frame, QWidget *parent)
{
    auto *bar = new QToolBar(QStringLiteral("Object Bar"), parent);
    bar->setObjectName(QStringLiteral("objectBar"));
    bar->setIconSize(QSize(16, 16));
    AddCommandButtons(bar, frame,
                      {cmd::InsertLink,
                       cmd::InsertAnchor,
                       0,
                       cmd::TextBox,
                       cmd::InsertImage,
                       cmd::HorizontalRule,
                       0,
                       cmd::InsertApplet,
                       cmd::InsertFlash,
                       cmd::InsertShockwave,
                       0,
                       cmd::InsertTable,
                       cmd::InsertRow,
                       cmd::InsertColumn,
                       cmd::InsertCell,
                       cmd::MergeCells,
                       cmd::SplitCell,
                       0,
                       cmd::InsertForm,
                       cmd::InsertButton,
                       cmd::InsertCheckbox,
                       cmd::InsertRadio,
                       cmd::InsertListMenu,
                       cmd::InsertTextField,
                       0,
                       cmd::RecordSound});
    return bar;
}
