// The editor view's format bar and its popups, the Tools menu and the context menu over the page.
#include "page/CCEditView.h"

#include "engine/CEditEngine.h"
#include "engine/EngineIds.h"
#include "exttools/CToolsDlg.h"
#include "exttools/ToolsMenu.h"
#include "insert/CTextBoxCycle.h"
#include "insert/InsertImage.h"
#include "insert/SmallInserts.h"
#include "page/AppServices.h"
#include "page/CCEditDoc.h"
#include "page/CCEditSite.h"
#include "page/CFontColorMenu.h"
#include "page/CPagePropertyWriter.h"
#include "page/CPointDlg.h"
#include "page/EditingOptions.h"
#include "page/EngineCommandTable.h"
#include "page/FormatBarSync.h"
#include "page/OptionsDialog.h"
#include "page/PageFrameHost.h"
#include "page/PastePicture.h"
#include "pagetext/PageExtensions.h"
#include "propgrid/CPropPanel.h"
#include "toolkit/CCmdUI.h"
#include "toolkit/CMDIChildWnd.h"
#include "toolkit/CMDIFrameWnd.h"
#include "toolkit/CommandIds.h"
#include "toolkit/FileDialog.h"
#include "toolkit/FilePicker.h"
#include "toolkit/MessageBox.h"
#include "toolkit/QtBridge.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QToolBar>
#include <QUrl>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <utility>

// --- Format bar and its popups ----------------------------------------------------------------

void CCEditView::RefreshFormatBar()
{
    CMDIFrameWnd *frame = MainWindow();
    if (!m_site || !frame || frame->ActiveView() != this)
        return;
    ::RefreshFormatBar(*m_site, Lists());
}

void CCEditView::OnComponentUpdate()
{
    UpdateModifiedMark();
    RefreshFormatBar();
    if (CPageFrameHost *host = Host())
        host->FrameWindow()->RequestUpdate();
}

void CCEditView::EnsureBlockFormats()
{
    if (m_blockFormats.isEmpty() && m_site)
        m_blockFormats = LoadBlockFormats(*m_site);
}

QString CCEditView::CurrentBlockFormat() const
{
    QVariant format;
    if (m_site && m_site->ExecEngineCommand(EngineId::BlockFormat, QVariant(), &format, false))
        return format.toString();
    return QString();
}

static void ReturnFocus(CCEditSite *site)
{
    if (site && site->Widget())
        site->Widget()->setFocus();
}

void CCEditView::OnBlockFormatChosen()
{
    QComboBox *list = Lists().blockFormat;
    if (!list || list->currentIndex() < 0 || !m_site)
        return;
    EnsureBlockFormats();
    m_site->ExecEngineCommand(EngineId::BlockFormat, list->currentText());
    ReturnFocus(m_site);
}

void CCEditView::OnFontNameChosen()
{
    QComboBox *list = Lists().fontName;
    if (!list || list->currentIndex() < 0 || !m_site)
        return;
    m_site->ExecEngineCommand(EngineId::FontName, list->itemText(list->currentIndex()));
    ReturnFocus(m_site);
}

void CCEditView::OnFontSizeChosen()
{
    QComboBox *list = Lists().fontSize;
    if (!list || list->currentIndex() < 0 || !m_site)
        return;
    const int size = list->currentIndex() + 1;
    m_site->ExecEngineCommand(EngineId::FontSize, size);
    // The list shows the chosen size now; remembering it keeps the next report of the old
    // size from being taken for "unchanged".
    SetRememberedFontSize(size);
    ReturnFocus(m_site);
}

void CCEditView::ShowBlockFormatPopup()
{
    EnsureBlockFormats();
    QMenu popup(this);
    FillBlockFormatMenu(&popup, m_blockFormats, CurrentBlockFormat());
    QWidget *anchor = Lists().blockFormat;
    const QPoint at =
        anchor ? anchor->mapToGlobal(anchor->rect().bottomLeft()) : mapToGlobal(QPoint(0, 0));
    if (QAction *chosen = popup.exec(at)) {
        if (CMDIFrameWnd *frame = MainWindow())
            frame->RouteCommand(chosen->data().toInt());
    }
}

void CCEditView::ShowFontColorPopup()
{
    QVariant current;
    std::int32_t colour = 0;
    if (m_site && m_site->ExecEngineCommand(EngineId::FontColor, QVariant(), &current, false))
        colour = current.toInt();
    else
        colour = -2; // nothing marked
    CFontColorMenu popup(colour, this);
    CMDIFrameWnd *frame = MainWindow();
    CPageFrameHost *host = Host();
    QWidget *anchor = host ? host->FormatBarButton(cmd::FontColor) : nullptr;
    const QPoint at =
        anchor ? anchor->mapToGlobal(anchor->rect().bottomLeft()) : mapToGlobal(QPoint(0, 0));
    if (QAction *chosen = popup.exec(at)) {
        if (frame)
            frame->RouteCommand(chosen->data().toInt());
    }
}

void CCEditView::UpdateStyleMenu(CCmdUI &ui)
{
    ui.Enable(EngineFlags(EngineId::BlockFormat) & EngineFlag::Enabled);
    QAction *item = ui.Action();
    if (!item)
        return;
    EnsureBlockFormats();
    const QString current = CurrentBlockFormat();
    if (!m_styleMenu) {
        m_styleMenu = new QMenu(QStringLiteral("Style"), this);
        connect(m_styleMenu, &QMenu::triggered, this, [this](QAction *chosen) {
            if (CMDIFrameWnd *frame = MainWindow())
                frame->RouteCommand(chosen->data().toInt());
        });
        m_styleMenuNames.clear();
    }
    if (item->menu() != m_styleMenu)
        item->setMenu(m_styleMenu);
    if (m_styleMenuNames != m_blockFormats || m_styleMenuCurrent != current ||
        m_styleMenu->isEmpty()) {
        FillBlockFormatMenu(m_styleMenu, m_blockFormats, current);
        m_styleMenuNames = m_blockFormats;
        m_styleMenuCurrent = current;
    }
}

// --- External tools ---------------------------------------------------------------------------

void CCEditView::RebuildToolsMenu()
{
    if (CPageFrameHost *host = Host())
        ToolsMenu::Rebuild(host->ToolsMenu(), host->FrameWindow(), util::AppProfile());
}

void CCEditView::RunTool(int index)
{
    const ToolsMenu::Launch launch = ToolsMenu::Run(util::AppProfile(), index, m_pagePath);
    // A tool that does not start gets no message box, only a word in the status bar.
    if (launch.result == ToolList::Result::Ready && !launch.started) {
        if (CPageFrameHost *host = Host())
            host->SetStatusText(
                QStringLiteral("The tool could not be started: %1").arg(launch.program));
    }
}

// --- Context menu -----------------------------------------------------------------------------

QMenu *CCEditView::CreateContextMenu(QWidget *parent)
{
    CMDIFrameWnd *frame = MainWindow();
    auto *menu = new QMenu(parent);
    if (!frame)
        return menu;
    // The items say what the same commands say in the main menu.
    const auto add = [frame, menu](int id) {
        QAction *item = menu->addAction(frame->MenuText(id));
        item->setEnabled(frame->IsCommandEnabled(id));
        QPointer<CMDIFrameWnd> target(frame);
        connect(item, &QAction::triggered, menu, [target, id] {
            if (target)
                target->RouteCommand(id);
        });
    };
    add(cmd::Cut);
    add(cmd::Copy);
    add(cmd::Paste);
    if (frame->IsCommandEnabled(cmd::InsertRow)) {
        // The caret is in a table.
        menu->addSeparator();
        add(cmd::InsertRow);
        add(cmd::InsertColumn);
        add(cmd::InsertCell);
        add(cmd::DeleteRows);
        add(cmd::DeleteColumns);
        add(cmd::DeleteCells);
        add(cmd::MergeCells);
        add(cmd::SplitCell);
    }
    if (frame->IsCommandEnabled(cmd::MakeAbsolute)) {
        menu->addSeparator();
        add(cmd::MakeAbsolute);
        if (IsLatched(cmd::MakeAbsolute)) {
            menu->actions().constLast()->setCheckable(true);
            menu->actions().constLast()->setChecked(true);
            add(cmd::BringToFront);
            add(cmd::SendToBack);
            add(cmd::BringForward);
            add(cmd::SendBackward);
            add(cmd::BringAboveText);
            add(cmd::SendBelowText);
            add(cmd::MoveObject);
            add(cmd::LockObject);
            if (IsLatched(cmd::LockObject)) {
                menu->actions().constLast()->setCheckable(true);
                menu->actions().constLast()->setChecked(true);
            }
        }
    }
    if (frame->IsCommandEnabled(cmd::InsertLink)) {
        menu->addSeparator();
        add(cmd::InsertLink);
    }
    return menu;
}

bool CCEditView::IsLatched(int id) const
{
    const EngineCommandRow *row = FindEngineCommandRow(id);
    return row && (EngineFlags(row->engineId) & EngineFlag::Latched);
}

void CCEditView::ShowContextMenu(const QPoint &globalPos)
{
    QMenu *menu = CreateContextMenu(this);
    menu->setObjectName(QStringLiteral("pageContextMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}
