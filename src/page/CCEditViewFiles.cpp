// The editor view's page file commands: save, save as, reload, the filtered open and save and
// the extensions.
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

// --- Page file commands -----------------------------------------------------------------------

void CCEditView::SaveToCurrentFile(std::function<void(bool)> done)
{
    if (!m_site) {
        if (done)
            done(false);
        return;
    }
    QPointer<CCEditView> self(this);
    m_site->Save(QString(), [self, done](bool ok, const QString &message) {
        if (self) {
            self->UpdateModifiedMark();
            if (ok) {
                if (CAppServices *app = self->Services(); app && !self->m_pagePath.isEmpty())
                    app->AddRecentFile(self->m_pagePath);
                if (CPageFrameHost *host = self->Host(); host && !message.isEmpty())
                    host->SetStatusText(message);
            } else {
                self->ReportSaveFailure(self->m_pagePath, message);
            }
        }
        if (done)
            done(ok);
    });
}

void CCEditView::OnSave()
{
    SaveToCurrentFile();
}

void CCEditView::OnSaveAs()
{
    FileDialogRequest request;
    request.parent = this;
    request.open = false;
    request.filter = QStringLiteral("HTML File (*.html)|*.html|HTML Template (*.htt)|*.htt||");
    request.defaultSuffix = QStringLiteral("html");
    request.overwritePrompt = true;
    // The page's own folder (a page not yet saved starts where pages were last opened).
    const bool local = !m_pagePath.isEmpty() && !m_pagePath.contains(QLatin1String("://"));
    request.folder =
        local ? QFileInfo(m_pagePath).absolutePath() : GetLastFolder(filekind::WebPages);
    if (local)
        request.fileName = QFileInfo(m_pagePath).fileName();
    const QString path = RunFileDialog(request);
    if (path.isEmpty() || !m_site)
        return;
    SetLastFolder(filekind::WebPages, QFileInfo(path).absolutePath());
    m_site->Save(path, SavedUnderNewName(path));
}

void CCEditView::ReloadPage()
{
    if (!m_site)
        return;
    CAppServices *app = Services();
    if (!m_reloadPending) {
        m_reloadPending = true;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    if (!m_site->Load(m_pagePath, m_filterOnLoad, app ? FilterFlags(app->EditOptions()) : 1)) {
        m_reloadPending = false;
        QApplication::restoreOverrideCursor();
        ReportLoadFailure(m_pagePath);
    }
}

void CCEditView::OnReload()
{
    if (ShowMessageBox(this, QStringLiteral("Reload the last saved version?"),
                       QMessageBox::Ok | QMessageBox::Cancel,
                       QMessageBox::Question) == QMessageBox::Ok)
        ReloadPage();
}

void CCEditView::OnFilteredOpen()
{
    CAppServices *app = Services();
    if (!app)
        return;
    app->PendingPageFiltered() = true;
    app->PendingPagePath().clear();
    FileDialogRequest request;
    request.parent = this;
    request.open = true;
    request.filter = QStringLiteral("HTML files (*.htm)|*.htm|All Files (*.*)|*.*||");
    request.defaultSuffix = QStringLiteral("htm");
    const QString path = RunFileDialog(request);
    if (path.isEmpty()) {
        // Left set, the next page opened in any other way would be filtered.
        app->PendingPageFiltered() = false;
        return;
    }
    app->OpenPage(path);
}

void CCEditView::OnFilteredSave()
{
    CAppServices *app = Services();
    if (!m_site || !app)
        return;
    // The proposed name is this page's own file name.
    const QString own = toQt(util::PathFileName(fromQt(m_pagePath)));
    FileDialogRequest request;
    request.parent = this;
    request.open = false;
    request.filter = QStringLiteral("HTML files (*.htm)|*.htm; *.HTM|All Files (*.*)|*.*||");
    request.defaultSuffix = QStringLiteral("HTML");
    request.overwritePrompt = true;
    request.fileName = own.isEmpty() ? QStringLiteral("Untitled.html") : own;
    if (!m_pagePath.isEmpty() && !m_pagePath.startsWith(QLatin1String("http:")))
        request.folder = toQt(util::PathFolder(fromQt(m_pagePath)));
    const QString path = RunFileDialog(request);
    if (path.isEmpty())
        return;
    app->PendingPagePath() = path;
    m_site->SaveFiltered(path, FilterFlags(app->EditOptions()), SavedUnderNewName(path));
}

void CCEditView::OnPelionExtensions()
{
    // The decision is made on the last saved state of the page file.
    if (IsExtendedPage(fromQt(m_pagePath))) {
        ShowMessageBox(this, toQt(std::string(kAlreadyExtendedMessage)), QMessageBox::Ok);
        return;
    }
    if (ShowMessageBox(this, toQt(std::string(kAddExtensionsQuestion)),
                       QMessageBox::Yes | QMessageBox::No,
                       QMessageBox::Question) != QMessageBox::Yes)
        return;
    if (!m_site)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QPointer<CCEditView> self(this);
    m_site->Save(QString(), [self](bool ok, const QString &message) {
        QApplication::restoreOverrideCursor();
        if (!self)
            return;
        if (!ok) {
            // Patching the old file and reloading it would throw away the unsaved edits.
            self->ReportSaveFailure(self->m_pagePath, message);
            return;
        }
        std::string error;
        if (!AddExtensions(fromQt(self->m_pagePath), &error))
            ShowMessageBox(self,
                           QStringLiteral("Pelion extensions could not be added.\n%1\n%2")
                               .arg(self->m_pagePath, toQt(error)),
                           QMessageBox::Ok, QMessageBox::Warning);
        self->ReloadPage();
    });
}

