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

// The insert commands: enabled while text can be inserted at the selection.
static constexpr int kInsertCommands[] = {
    cmd::InsertForm,     cmd::InsertScript,   cmd::TextBox,         cmd::InsertApplet,
    cmd::HorizontalRule, cmd::InsertFlash,    cmd::InsertShockwave, cmd::InsertImage,
    cmd::InsertMedia,    cmd::NewLine,        cmd::NewParagraph,    cmd::InsertTextField,
    cmd::InsertButton,   cmd::InsertCheckbox, cmd::InsertRadio,     cmd::InsertListMenu,
    cmd::InsertAnchor,
};

QString CCEditView::LocalPathOfAddress(const QString &path)
{
    // A file: address names a local file: every file operation (saving, extensions, the page
    // properties, resource copies) and the recent-file list work with the path itself.
    if (!path.startsWith(QLatin1String("file:"), Qt::CaseInsensitive))
        return path;
    const QUrl url(path);
    if (!url.isValid() || !url.isLocalFile() || url.toLocalFile().isEmpty())
        return path;
    return QDir::cleanPath(QFileInfo(url.toLocalFile()).absoluteFilePath());
}

CCEditView::CCEditView(QWidget *parent)
    : CView(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    PagePropertyHost host;
    host.window = this;
    host.pagePath = [this] { return m_pagePath; };
    host.document = [this] { return GetDocument(); };
    host.site = [this] { return m_site; };
    host.save = [this](std::function<void(bool)> done) { SaveToCurrentFile(std::move(done)); };
    host.reload = [this] { ReloadPage(); };
    m_propertyWriter = new CPagePropertyWriter(std::move(host), this);
    connect(this, &CCEditView::loadFinished, m_propertyWriter,
            &CPagePropertyWriter::OnLoadFinished);
    RegisterCommands();
    connect(qApp, &QApplication::focusChanged, this, &CCEditView::OnFocusChanged);
}

CCEditView::~CCEditView() = default;

CCEditDoc *CCEditView::GetDocument() const
{
    return static_cast<CCEditDoc *>(CView::GetDocument());
}

CPageFrameHost *CCEditView::Host() const
{
    return CPageFrameHost::Of(this);
}

CMDIFrameWnd *CCEditView::MainWindow() const
{
    CPageFrameHost *host = Host();
    return host ? host->FrameWindow() : nullptr;
}

CAppServices *CCEditView::Services() const
{
    CPageFrameHost *host = Host();
    return host ? host->Services() : nullptr;
}

CMDIChildWnd *CCEditView::ChildFrame() const
{
    for (QWidget *widget = parentWidget(); widget; widget = widget->parentWidget()) {
        if (auto *frame = qobject_cast<CMDIChildWnd *>(widget))
            return frame;
    }
    return nullptr;
}

FormatBarLists CCEditView::Lists() const
{
    CPageFrameHost *host = Host();
    return host ? host->FormatLists() : FormatBarLists();
}

// --- Opening, titling and closing -------------------------------------------------------------

// The side bar's panel shows the document's properties when asked and lets go of them when the
// document closes.
static void BindPropertyPanel(CCEditDoc *document, CPropPanel *panel)
{
    QObject::connect(document, &CCEditDoc::showInPanelRequested, panel,
                     [panel](CCEditDoc *doc) { panel->ShowProperties(doc, false); });
    QObject::connect(document, &CCEditDoc::propertiesRefreshed, panel,
                     [panel](CCEditDoc *doc) { panel->RefreshValues(doc); });
    QObject::connect(document, &CCEditDoc::closing, panel,
                     [panel](CCEditDoc *doc) { panel->Forget(doc); });
}

void CCEditView::OnUpdate(CView *sender, int hint)
{
    if (hint == 2)
        m_propertyWriter->WritePageProperties();
    CView::OnUpdate(sender, hint);
}

void CCEditView::OnInitialUpdate()
{
    if (m_engineCreated)
        return;
    m_engineCreated = true;
    RebuildToolsMenu();
    CAppServices *app = Services();
    m_filterOnLoad = app && app->PendingPageFiltered();
    if (app)
        app->PendingPageFiltered() = false;
    const QString path = LocalPathOfAddress(app ? app->PendingPagePath() : QString());

    m_site = app ? app->MakePageSite(this) : nullptr;
    if (!m_site)
        m_site = new CCEditSite(this);
    connect(m_site, &CCEditSite::loadFinished, this, &CCEditView::OnLoadFinished);
    connect(m_site, &CCEditSite::titleChanged, this, &CCEditView::OnTitleChanged);
    connect(m_site, &CCEditSite::updateCommands, this, &CCEditView::OnComponentUpdate);
    connect(m_site, &CCEditSite::uiActivated, this, &CCEditView::ApplyDisplayOptions);
    connect(m_site, &CCEditSite::commandKey, this, [this](int id) {
        if (CPageFrameHost *host = Host())
            host->FrameWindow()->RouteCommandIfEnabled(id);
    });
    connect(m_site, &CCEditSite::contextMenuRequested, this, &CCEditView::ShowContextMenu);
    connect(m_site, &CCEditSite::progressText, this, [this](const QString &text) {
        if (CPageFrameHost *host = Host())
            host->SetStatusText(text);
    });

    if (CCEditDoc *document = GetDocument()) {
        document->SetPagePath(path);
        CPageFrameHost *host = Host();
        if (CPropPanel *panel = host ? host->PropertyPanel() : nullptr)
            BindPropertyPanel(document, panel);
    }

    m_initialLoadPending = true;
    const bool started =
        m_site->Create() &&
        m_site->Load(path, m_filterOnLoad, app ? FilterFlags(app->EditOptions()) : 1);
    m_pagePath = path;
    if (QWidget *component = m_site->Widget())
        component->show();

    CMDIChildWnd *frame = ChildFrame();
    if (app && !app->FirstPageClosed()) {
        // The first page window of the run (the blank page of start-up) closes at once; the
        // names that inserted objects make with rand() depend on this seed.
        std::srand(static_cast<unsigned>(std::time(nullptr)));
        m_initialLoadPending = false;
        if (frame)
            frame->PostClose();
        return;
    }
    if (!started) {
        m_initialLoadPending = false;
        ReportLoadFailure(path);
        if (frame)
            frame->PostClose();
        return;
    }
    if (frame)
        frame->showMaximized();
}

void CCEditView::OnLoadFinished(bool ok)
{
    m_contentValid = ok;
    if (m_reloadPending) {
        m_reloadPending = false;
        QApplication::restoreOverrideCursor();
    }
    if (m_initialLoadPending) {
        m_initialLoadPending = false;
        if (!ok) {
            ReportLoadFailure(m_pagePath);
            if (CMDIChildWnd *frame = ChildFrame())
                frame->PostClose();
        } else {
            emit pageOpened(this);
        }
    } else if (!ok) {
        ReportLoadFailure(m_pagePath);
    }
    if (ok && m_readOnly && m_site)
        m_site->ExecEngineCommand(EngineId::BrowseMode); // a load leaves browser mode
    emit loadFinished(ok);
    OnComponentUpdate();
}

void CCEditView::ReportLoadFailure(const QString &path)
{
    ShowMessageBox(this, QStringLiteral("Path Name Invalid"), QMessageBox::Ok, QMessageBox::Warning,
                   QStringLiteral("Error"));
    ShowMessageBox(this, path, QMessageBox::Ok, QMessageBox::Warning, QStringLiteral("Error"));
}

std::function<void(bool ok, const QString &message)>
CCEditView::SavedUnderNewName(const QString &path)
{
    // Save As and the filtered save end alike: the page now lives at path and is a recent file.
    QPointer<CCEditView> self(this);
    return [self, path](bool ok, const QString &message) {
        if (!self)
            return;
        if (!ok) {
            self->ReportSaveFailure(path, message);
            return;
        }
        self->m_pagePath = path;
        if (CCEditDoc *document = self->GetDocument())
            document->SetPagePath(path);
        self->UpdateDocumentTitle();
        self->UpdateModifiedMark();
        if (CAppServices *app = self->Services())
            app->AddRecentFile(path);
        if (CPageFrameHost *host = self->Host(); host && !message.isEmpty())
            host->SetStatusText(message);
    };
}

void CCEditView::ReportSaveFailure(const QString &path, const QString &message)
{
    // Silence here would let the author believe the page was written.
    QString text = QStringLiteral("The page could not be saved.");
    if (!path.isEmpty())
        text += QLatin1Char('\n') + path;
    if (!message.isEmpty())
        text += QLatin1Char('\n') + message;
    ShowMessageBox(this, text, QMessageBox::Ok, QMessageBox::Warning);
}

void CCEditView::OnTitleChanged(const QString &title)
{
    m_pageTitle = title;
    m_titleReported = true;
    UpdateDocumentTitle();
}

void CCEditView::UpdateDocumentTitle()
{
    CCEditDoc *document = GetDocument();
    if (!document)
        return;
    QString title;
    if (m_titleReported)
        title = m_pageTitle + QStringLiteral(" : ") + toQt(util::PathFileTitle(fromQt(m_pagePath)));
    else if (m_readOnly)
        title = m_untitledName;
    else
        return; // until the component reports a title, the document keeps its default name
    if (m_readOnly)
        title += QStringLiteral(" (read-only)");
    document->SetTitle(title);
}

void CCEditView::SetReadOnly(bool readOnly)
{
    if (m_readOnly == readOnly)
        return;
    if (readOnly && !m_titleReported && GetDocument())
        m_untitledName = GetDocument()->GetTitle();
    m_readOnly = readOnly;
    UpdateDocumentTitle();
    if (m_readOnly && m_site && m_contentValid)
        m_site->ExecEngineCommand(EngineId::BrowseMode);
    if (CPageFrameHost *host = Host())
        host->FrameWindow()->RequestUpdate();
}

// What a read-only window still offers of the view's own commands: nothing that changes the
// page or writes it.
static bool AllowedWhenReadOnly(int id)
{
    switch (id) {
    case cmd::Copy:
    case cmd::SelectAll:
    case cmd::Find:
    case cmd::Print:
    case cmd::PrintToolbar:
    case cmd::Reload:
    case cmd::ToggleFormatBar:
    case cmd::ToggleObjectBar:
    case cmd::HowTo:
        return true;
    default:
        return false;
    }
}

bool CCEditView::OnCmdMsg(int id, Offer offer, CCmdUI *ui)
{
    if (m_readOnly && !AllowedWhenReadOnly(id)) {
        // The view's own commands are off here; the document's (Close) and everything further
        // along the route stay as they are.
        switch (offer) {
        case Offer::Update:
            if (ui && DispatchOwn(id, Offer::Update, ui)) {
                ui->Enable(false);
                return true;
            }
            break;
        case Offer::Probe:
            if (DispatchOwn(id, Offer::Probe, nullptr))
                return false;
            break;
        case Offer::Execute:
            if (DispatchOwn(id, Offer::Probe, nullptr))
                return true; // taken, and nothing done
            break;
        }
    }
    return CView::OnCmdMsg(id, offer, ui);
}

void CCEditView::UpdateModifiedMark()
{
    CMDIChildWnd *frame = ChildFrame();
    if (!frame || m_destroyed)
        return;
    const bool modified = m_site && m_contentValid && m_site->IsModified();
    if (frame->isWindowModified() != modified) {
        frame->setWindowModified(modified);
        if (CPageFrameHost *host = Host())
            host->FrameWindow()->RequestUpdate(); // the main title shows the active page's mark
    }
}

void CCEditView::QueryClose(std::function<void(bool)> done)
{
    CPageFrameHost *host = Host();
    // A page that never loaded (or whose reload failed) is not offered for saving: writing the
    // component's content would replace the file with whatever it shows instead of the page.
    // A read-only window holds nothing of its own to save.
    if (!m_site || m_pagePath.isEmpty() || m_destroyed || !m_contentValid || m_readOnly) {
        done(true);
        return;
    }
    const short mode = host ? host->SaveMode() : short(CPageFrameHost::SaveAsk);
    if (mode == CPageFrameHost::SaveNone) {
        done(true);
        return;
    }
    if (mode == CPageFrameHost::SaveAsk) {
        const QString name = toQt(util::PathFileName(fromQt(m_pagePath)));
        const auto answer = ShowMessageBox(
            this,
            QStringLiteral("Would you like to save") + QLatin1Char(' ') + name + QLatin1Char('?'),
            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Question);
        // Escape and the box's close button give Cancel: the window stays open as it is.
        if (answer != QMessageBox::Yes && answer != QMessageBox::No) {
            done(false);
            return;
        }
        if (answer == QMessageBox::No) {
            done(true);
            return;
        }
    }
    // A failed save keeps the window open, so that the author's edits are not thrown away.
    SaveToCurrentFile([done](bool ok) { done(ok); });
}

void CCEditView::OnDestroy()
{
    m_destroyed = true;
    if (m_reloadPending) {
        m_reloadPending = false;
        QApplication::restoreOverrideCursor();
    }
    if (m_site) {
        m_site->disconnect(this);
        m_site->Close();
    }
    if (CAppServices *app = Services())
        app->SetFirstPageClosed();
}

void CCEditView::OnFocusChanged(QWidget *old, QWidget *now)
{
    if (m_destroyed || !now || !(now == this || isAncestorOf(now)))
        return;
    if (old && (old == this || isAncestorOf(old)))
        return;
    CAppServices *app = Services();
    if (app && app->FirstPageClosed()) {
        if (CCEditDoc *document = GetDocument())
            document->ShowInPanel();
    }
    if (now == this && m_site && m_site->Widget())
        m_site->Widget()->setFocus();
}

// --- Options, tags, display options -----------------------------------------------------------

void CCEditView::ApplyDisplayOptions()
{
    CAppServices *app = Services();
    if (!m_site || !app)
        return;
    const EditingOptions &options = app->EditOptions();
    m_site->ExecEngineCommand(EngineId::ActivateDTCs, options.activateDTCs);
    m_site->ExecEngineCommand(EngineId::ActivateActiveX, options.activateActiveX);
    m_site->ExecEngineCommand(EngineId::ActivateApplets, options.activateApplets);
    m_site->ExecEngineCommand(EngineId::ShowDetails, options.showDetails);
    m_site->ExecEngineCommand(EngineId::ShowBorders, options.showBorders);
}

void CCEditView::OnOptions()
{
    CAppServices *app = Services();
    if (app && RunOptionsDialog(app->EditOptions(), this))
        ApplyDisplayOptions();
}

void CCEditView::OnTags()
{
    CAppServices *app = Services();
    if (!app)
        return;
    app->EditOptions().showDetails = !app->EditOptions().showDetails;
    ApplyDisplayOptions();
}

// --- Insertion --------------------------------------------------------------------------------

bool CCEditView::InsertHtmlAtSelection(const QString &fragment)
{
    return m_site && m_site->InsertHtmlAtSelection(fragment);
}

// What the image insertion needs of this page.
static ImageInsertTarget ImageTargetOf(CCEditView *view)
{
    ImageInsertTarget target;
    target.parent = view;
    target.pagePath = view->PagePath();
    if (CCEditSite *site = view->Site(); site && site->Engine())
        target.imageNames = site->Engine()->GetPageImageNames();
    target.insertHtml = [view](const QString &html) { return view->InsertHtmlAtSelection(html); };
    return target;
}

bool CCEditView::InsertGalleryImage(const QString &file, bool clickFromPath)
{
    return ::InsertGalleryImage(ImageTargetOf(this), file, clickFromPath);
}

bool CCEditView::InsertHtmlInParentElement(const QString &where, const QString &fragment)
{
    return m_site && m_site->InsertHtmlInParentElement(where, fragment);
}

// --- The engine command table -----------------------------------------------------------------

int CCEditView::EngineFlags(int engineId) const
{
    return m_site ? m_site->QueryEngineCommand(engineId) : 0;
}

void CCEditView::ExecuteRangeCommand(int id)
{
    const EngineCommandRow *row = FindEngineCommandRow(id);
    if (!row || !m_site)
        return;
    QVariant input;
    if (row->input != EngineCommandRow::Input::None && !BuildInput(*row, input))
        return;
    const bool ok = m_site->ExecEngineCommand(row->engineId, input, nullptr, row->prompt);
    if (!ok && row->prompt && row->engineId != EngineId::Print)
        ShowMessageBox(this, QStringLiteral("The command could not be carried out."),
                       QMessageBox::Ok, QMessageBox::Warning);
    // The point inputs are values; nothing is left to free after the command.
}

void CCEditView::UpdateRangeCommand(CCmdUI &ui)
{
    const EngineCommandRow *row = FindEngineCommandRow(ui.Id());
    if (!row)
        return; // no row: the item keeps its state
    const int flags = EngineFlags(row->engineId);
    ui.Enable(flags & EngineFlag::Enabled);
    if (IsLatchingEngineCommand(row->engineId))
        ui.SetCheck(flags & EngineFlag::Latched);
}

bool CCEditView::BuildInput(const EngineCommandRow &row, QVariant &input)
{
    switch (row.input) {
    case EngineCommandRow::Input::Table: {
        // The table's HTML goes in at the selection; the component's own table command is
        // never run.
        QString html;
        if (m_tableDialog && m_tableDialog(this, html))
            InsertHtmlAtSelection(html);
        return false;
    }
    case EngineCommandRow::Input::Constrain:
        m_constrain = !m_constrain;
        input = m_constrain;
        return true;
    case EngineCommandRow::Input::MoveDialog: {
        std::unique_ptr<CPointDlg> dialog(CPointDlg::CreateMoveObject(this));
        if (dialog->DoModal() != QDialog::Accepted)
            return false;
        input = dialog->Value();
        return true;
    }
    case EngineCommandRow::Input::GridDialog: {
        std::unique_ptr<CPointDlg> dialog(CPointDlg::CreateSetGrid(GridSize(), this));
        if (dialog->DoModal() != QDialog::Accepted)
            return false;
        m_gridX = dialog->Value().x();
        m_gridY = dialog->Value().y();
        input = GridSize();
        return true;
    }
    case EngineCommandRow::Input::None:
        return true;
    }
    return false;
}

// --- Command registration ---------------------------------------------------------------------

void CCEditView::RegisterCommands()
{
    const auto always = [](CCmdUI &ui) { ui.Enable(true); };
    // An insert command without a handler stays disabled.
    const auto canInsert = [this](CCmdUI &ui) {
        ui.Enable(DispatchOwn(ui.Id(), Offer::Probe, nullptr) &&
                  (EngineFlags(EngineId::FontName) & EngineFlag::Enabled));
    };

    // Page file commands.
    OnCommand(cmd::FileSave, [this] { OnSave(); });
    OnUpdateCommand(cmd::FileSave, always);
    OnCommand(cmd::SaveAs, [this] { OnSaveAs(); });
    OnUpdateCommand(cmd::SaveAs, always);
    OnCommand(cmd::Reload, [this] { OnReload(); });
    OnCommand(cmd::FilteredOpen, [this] { OnFilteredOpen(); });
    OnCommand(cmd::FilteredSave, [this] { OnFilteredSave(); });
    OnUpdateCommand(cmd::FilteredSave, [this](CCmdUI &ui) { ui.Enable(m_filterOnLoad); });
    OnCommand(cmd::PelionExtensions, [this] { OnPelionExtensions(); });
    OnCommand(cmd::HowTo, [this] {
        if (CAppServices *app = Services())
            app->OpenHelpPage(QStringLiteral("Manual/HowTo.html"), this);
    });

    // Bars shown and hidden from the page's View menu.
    using BarOfHost = QToolBar *(CPageFrameHost::*)() const;
    for (const auto &[id, barOf] :
         {std::pair<int, BarOfHost>{cmd::ToggleFormatBar, &CPageFrameHost::FormatToolBar},
          std::pair<int, BarOfHost>{cmd::ToggleObjectBar, &CPageFrameHost::ObjectToolBar}}) {
        const auto bar = [this, barOf = barOf]() -> QToolBar * {
            CPageFrameHost *host = Host();
            return host ? (host->*barOf)() : nullptr;
        };
        OnCommand(id, [this, bar] {
            if (QToolBar *toolBar = bar())
                toolBar->setVisible(!toolBar->isVisibleTo(MainWindow()));
        });
        OnUpdateCommand(id, [this, bar](CCmdUI &ui) {
            QToolBar *toolBar = bar();
            ui.Enable(toolBar != nullptr);
            ui.SetCheck(toolBar && toolBar->isVisibleTo(MainWindow()));
        });
    }

    // Options and tags.
    OnCommand(cmd::Options, [this] { OnOptions(); });
    OnCommand(cmd::Tags, [this] { OnTags(); });
    OnUpdateCommand(cmd::Tags, [this](CCmdUI &ui) {
        ui.Enable(EngineFlags(EngineId::FontName) & EngineFlag::Enabled);
        CAppServices *app = Services();
        ui.SetCheck(app && app->EditOptions().showDetails);
    });

    // Insert commands: enabled while text can be inserted. The dialog-free ones are here; the
    // others get their handlers with their dialogs.
    RegisterInsertDialogs();
    for (int id : kInsertCommands)
        OnUpdateCommand(id, canInsert);
    OnUpdateCommand(cmd::InsertTable, [this](CCmdUI &ui) {
        const bool enabled = EngineFlags(EngineId::FontName) & EngineFlag::Enabled;
        ui.Enable(enabled);
        if (CPageFrameHost *host = Host())
            host->EnableGalleryPanels(enabled);
    });
    OnCommand(cmd::InsertImage, [this] { RunInsertImage(ImageTargetOf(this)); });
    OnCommand(cmd::HorizontalRule,
              [this] { InsertHtmlAtSelection(QString::fromLatin1(kHorizontalRuleHtml)); });
    OnCommand(cmd::NewLine, [this] { InsertHtmlAtSelection(QString::fromLatin1(kLineBreakHtml)); });
    OnCommand(cmd::NewParagraph,
              [this] { InsertHtmlAtSelection(QString::fromLatin1(kParagraphHtml)); });
    OnCommand(cmd::TextBox, [this] {
        if (CAppServices *app = Services())
            InsertHtmlAtSelection(toQt(app->TextBoxes().Next()));
    });

    // External tools.
    OnCommand(cmd::ToolsAddEdit, [this] {
        CToolsDlg dialog(util::AppProfile(), this);
        dialog.DoModal();
        RebuildToolsMenu();
    });
    OnCommandRange(cmd::ToolFirst, cmd::ToolLast, [this](int id) { RunTool(id - cmd::ToolFirst); });

    // Clipboard picture.
    OnCommand(cmd::PasteSpecial, [this] {
        PastePictureTarget target;
        target.parent = this;
        target.pagePath = PagePath();
        CAppServices *app = Services();
        target.askName = app && !app->EditOptions().autoSaveMetafiles;
        target.insertHtml = [this](const QString &html) { return InsertHtmlAtSelection(html); };
        PasteClipboardPicture(target, QApplication::clipboard()->mimeData());
    });
    OnUpdateCommand(cmd::PasteSpecial, [](CCmdUI &ui) {
        ui.Enable(HasClipboardPicture(QApplication::clipboard()->mimeData()));
    });

    // Format bar drop-downs and popups.
    OnCommand(cmd::BlockFormatList, [this] { OnBlockFormatChosen(); });
    OnCommand(cmd::FontNameList, [this] { OnFontNameChosen(); });
    OnCommand(cmd::FontSizeList, [this] { OnFontSizeChosen(); });
    OnCommand(cmd::FontColor, [this] { ShowFontColorPopup(); });
    OnUpdateCommand(cmd::FontColor, [this](CCmdUI &ui) {
        ui.Enable(EngineFlags(EngineId::FontColor) & EngineFlag::Enabled);
    });
    OnCommand(cmd::FormatPopup, [this] { ShowBlockFormatPopup(); });
    OnUpdateCommand(cmd::FormatPopup, [this](CCmdUI &ui) {
        ui.Enable(EngineFlags(EngineId::BlockFormat) & EngineFlag::Enabled);
    });
    OnUpdateCommand(cmd::Style, [this](CCmdUI &ui) { UpdateStyleMenu(ui); });
    OnCommandRange(cmd::FontColorFirst, cmd::FontColorLast, [this](int id) {
        if (m_site)
            m_site->ExecEngineCommand(EngineId::FontColor,
                                      CFontColorMenu::ColorValue(id - cmd::FontColorFirst));
    });
    OnCommandRange(cmd::TagMenuBase, cmd::TagMenuEnd, [this](int id) {
        const int index = id - cmd::TagMenuBase;
        EnsureBlockFormats();
        if (m_site && index < m_blockFormats.size())
            m_site->ExecEngineCommand(EngineId::BlockFormat, m_blockFormats.at(index));
    });

    // Explicit handlers of the table rows, ahead of the range.
    OnCommand(cmd::Underline, [this] { ExecuteRangeCommand(cmd::Underline); });
    OnCommand(cmd::EditorMode, [this] { ExecuteRangeCommand(cmd::EditorMode); });
    OnCommand(cmd::BrowserMode, [this] { ExecuteRangeCommand(cmd::BrowserMode); });
    OnUpdateCommand(cmd::EditorMode, [this](CCmdUI &ui) { UpdateRangeCommand(ui); });
    OnUpdateCommand(cmd::BrowserMode, [this](CCmdUI &ui) { UpdateRangeCommand(ui); });

    OnCommandRange(cmd::EngineRangeFirst, cmd::EngineRangeLast,
                   [this](int id) { ExecuteRangeCommand(id); });
    OnUpdateCommandRange(cmd::EngineRangeFirst, cmd::EngineRangeLast,
                         [this](CCmdUI &ui) { UpdateRangeCommand(ui); });
}
