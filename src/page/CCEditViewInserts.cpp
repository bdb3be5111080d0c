// The editor view's insert commands that run a dialog.
#include "page/CCEditView.h"

#include "insert/CCheckBoxDlg.h"
#include "insert/CFormButtonDlg.h"
#include "insert/CFormDlg.h"
#include "insert/CInsertTableDlg.h"
#include "insert/CListMenuDlg.h"
#include "insert/CRadioButtonDlg.h"
#include "insert/CTextFieldDlg.h"
#include "toolkit/CommandIds.h"

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
}
