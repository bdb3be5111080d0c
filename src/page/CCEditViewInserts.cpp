// The editor view's insert commands that run a dialog or a file picker first.
#include "page/CCEditView.h"

#include "insert/CBgSoundObject.h"
#include "insert/CCheckBoxDlg.h"
#include "insert/CFormButtonDlg.h"
#include "insert/CFormDlg.h"
#include "insert/CHtmlObject.h"
#include "insert/CInsertMediaDlg.h"
#include "insert/CInsertScriptDlg.h"
#include "insert/CInsertTableDlg.h"
#include "insert/CListMenuDlg.h"
#include "insert/CMediaObject.h"
#include "insert/CRadioButtonDlg.h"
#include "insert/CTextFieldDlg.h"
#include "insert/ObjectNames.h"
#include "insert/RecordSound.h"
#include "insert/SmallInserts.h"
#include "sites/ResourceCopy.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/CommandIds.h"
#include "toolkit/FilePicker.h"
#include "toolkit/QtBridge.h"

namespace {

// Runs one of the element dialogs, which insert through the view themselves on OK.
template<typename Dialog>
void RunElementDialog(CCEditView *view)
{
    Dialog dialog([view](const QString &html) { return view->InsertHtmlAtSelection(html); }, view);
    dialog.DoModal();
}

// Asks for one line of text; empty when cancelled.
QString AskLine(QWidget *parent, const QString &title)
{
    CInputDlg dialog(title, QString(), parent);
    if (dialog.DoModal() != QDialog::Accepted)
        return QString();
    return dialog.Text();
}

void InsertAnchor(CCEditView *view)
{
    CHtmlObject anchor;
    anchor.m_strName = fromQt(AskLine(view, QStringLiteral("Insert New Anchor")));
    if (!anchor.m_strName.empty())
        view->InsertHtmlAtSelection(toQt(anchor.GetAnchorHtml()));
}

// The two script kinds go to the end of the element that holds the selection, raw HTML to the
// caret.
void InsertScript(CCEditView *view)
{
    CInsertScriptDlg dialog(view);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    const CScriptObject script = dialog.Script();
    if (!script.IsValid())
        return;
    const QString html = toQt(script.GetHtml());
    if (script.InsertsInParentElement())
        view->InsertHtmlInParentElement(QStringLiteral("BeforeEnd"), html);
    else
        view->InsertHtmlAtSelection(html);
}

// Applets, Flash and Shockwave movies: a file of the kind, copied into the page's resource
// folder, and the object that refers to the copy.
void InsertPickedFile(CCEditView *view, int kind, int filterKind,
                      std::string (*html)(const std::string &ref))
{
    const QString file = BrowseForFile(kind, filterKind, filterKind, true, view);
    if (file.isEmpty())
        return;
    const std::string ref = CopyResourceToSite(fromQt(view->PagePath()), fromQt(file));
    view->InsertHtmlAtSelection(toQt(html(ref)));
}

// The recorder opens on a new wave file in the page's resource folder; nothing is inserted.
void RecordNewSound(CCEditView *view)
{
    const QString name = AskLine(view, QStringLiteral("Enter name of the Wav to record"));
    if (!name.isEmpty())
        RecordSound(name, view->PagePath(), view);
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
    OnCommand(cmd::InsertAnchor, [this] { InsertAnchor(this); });
    OnCommand(cmd::InsertScript, [this] { InsertScript(this); });
    OnCommand(cmd::InsertApplet, [this] {
        InsertPickedFile(this, filekind::Applets, filekind::Applets, &GetAppletHtml);
    });
    OnCommand(cmd::InsertFlash,
              [this] { InsertPickedFile(this, filekind::Flash, filekind::None, &GetFlashHtml); });
    OnCommand(cmd::InsertShockwave, [this] {
        InsertPickedFile(this, filekind::Shockwave, filekind::None, &GetShockwaveHtml);
    });
    OnCommand(cmd::RecordSound, [this] { RecordNewSound(this); });
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
