// The editor view's insert commands that run a dialog.
#include "page/CCEditView.h"

#include "insert/CBgSoundObject.h"
#include "insert/CCheckBoxDlg.h"
#include "insert/CFormButtonDlg.h"
#include "insert/CFormDlg.h"
#include "insert/CInsertMediaDlg.h"
#include "insert/CInsertTableDlg.h"
#include "insert/CListMenuDlg.h"
#include "insert/CMediaObject.h"
#include "insert/CRadioButtonDlg.h"
#include "insert/CTextFieldDlg.h"
#include "insert/ObjectNames.h"
#include "sites/ResourceCopy.h"
#include "toolkit/CommandIds.h"
#include "toolkit/QtBridge.h"

namespace {

// Runs one of the element dialogs, which insert through the view themselves on OK.
template<typename Dialog>
void RunElementDialog(CCEditView *view)
{
    Dialog dialog([view](const QString &html) { return view->InsertHtmlAtSelection(html); }, view);
    dialog.DoModal();
}

} // namespace

void CCEditView::RegisterInsertDialogs()
{
    m_tableDialog = &RunInsertTableDialog;

    OnCommand(cmd::InsertForm, [this] { RunElementDialog<CFormDlg>(this); });
    OnCommand(cmd::InsertButton, [this] { RunElementDialog<CFormButtonDlg>(this); });
    OnCommand(cmd::InsertCheckbox, [this] { RunElementDialog<CCheckBoxDlg>(this); });
    OnCommand(cmd::InsertRadio, [this] { RunElementDialog<CRadioButtonDlg>(this); });
    OnCommand(cmd::InsertListMenu, [this] { RunElementDialog<CListMenuDlg>(this); });
    OnCommand(cmd::InsertTextField, [this] { RunElementDialog<CTextFieldDlg>(this); });
    OnCommand(cmd::InsertMedia, [this] { InsertMediaWithDialog(QString(), true); });
}

void CCEditView::InsertMediaWithDialog(const QString &source, bool video)
{
    CInsertMediaDlg dialog(video, this);
    if (!source.isEmpty()) {
        dialog.m_strSource = source;
        dialog.m_strName = toQt(UniqueNameFromPath(fromQt(source), {}));
    }
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    CMediaObject media = dialog.MediaObject();
    media.m_strValue = CopyResourceToSite(fromQt(PagePath()), fromQt(dialog.m_strSource));
    InsertHtmlAtSelection(toQt(media.GetHtml()));
}

void CCEditView::QuickInsertMedia(const QString &file)
{
    CMediaObject media;
    media.m_strValue = CopyResourceToSite(fromQt(PagePath()), fromQt(file));
    media.m_strName = UniqueNameFromPath(media.m_strValue, {});
    InsertHtmlAtSelection(toQt(media.GetHtml()));
}

void CCEditView::PlaySoundInline(const QString &file)
{
    InsertHtmlAtSelection(toQt(CBgSoundObject::GetListeningHtml(fromQt(file))));
}

void CCEditView::StopPlayingSound()
{
    ExecuteRangeCommand(cmd::BrowserMode);
    ExecuteRangeCommand(cmd::EditorMode);
}
