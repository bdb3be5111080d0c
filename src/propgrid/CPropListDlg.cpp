#include "propgrid/CPropListDlg.h"

#include "pagetext/PageProperties.h"
#include "propgrid/CHyperFontDlg.h"
#include "propgrid/CPropColourCombo.h"
#include "propgrid/CPropColourPalette.h"
#include "propgrid/CPropCombo.h"
#include "propgrid/CPropCustColor.h"
#include "propgrid/CPropDataExchange.h"
#include "propgrid/CPropDbl.h"
#include "propgrid/CPropDropDown.h"
#include "propgrid/CPropEditCombo.h"
#include "propgrid/CPropFile.h"
#include "propgrid/CPropFont.h"
#include "propgrid/CPropInt.h"
#include "propgrid/CPropListBox.h"
#include "propgrid/CPropLong.h"
#include "propgrid/CPropObArray.h"
#include "propgrid/CPropStr.h"
#include "propgrid/PropStrings.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/FileDialog.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

QString Str(const std::string &text)
{
    return QString::fromStdString(text);
}

// The panel's drop-downs as the items see them.
class ComboDropDown : public CPropDropDown
{
public:
    explicit ComboDropDown(QComboBox *combo)
        : m_combo(combo)
    {}
    void Clear() override
    {
        m_combo->clear();
        if (m_combo->isEditable())
            m_combo->clearEditText();
    }
    int AddEntry(const std::string &text, std::intptr_t data) override
    {
        m_combo->addItem(Str(text), QVariant::fromValue<qlonglong>(data));
        return m_combo->count() - 1;
    }
    void SelectEntry(int index) override { m_combo->setCurrentIndex(index); }
    void SetEditText(const std::string &text) override
    {
        if (m_combo->isEditable())
            m_combo->setEditText(Str(text));
    }

private:
    QComboBox *m_combo;
};

bool IsDropDownEditor(int id)
{
    return id == propeditor::DropDownList || id == propeditor::ColorList ||
           id == propeditor::EditCombo;
}

// The real file dialog: an open-file dialog with a "&Default" button that empties the value.
PropFileAnswer RunPropFileDialog(const PropFileRequest &request)
{
    QFileDialog dialog(request.parent, Str(PropString(propstr::BrowseFilesTitle)), request.folder,
                       ToQtFileFilter(request.filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    bool wantsDefault = false;
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>()) {
        QPushButton *button = buttons->addButton(Str(PropString(propstr::DefaultButton)),
                                                 QDialogButtonBox::ResetRole);
        QObject::connect(button, &QPushButton::clicked, &dialog, [&] {
            wantsDefault = true;
            dialog.reject();
        });
    }
    PropFileAnswer answer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        answer.kind = PropFileAnswer::Chosen;
        answer.path = dialog.selectedFiles().first();
    } else if (wantsDefault) {
        answer.kind = PropFileAnswer::Default;
    }
    return answer;
}

} // namespace

CPropListDlg::CPropListDlg(QWidget *parent)
    : QWidget(parent)
    , m_list(new CPropListBox(this, this))
    , m_edit(new QLineEdit(m_list->viewport()))
    , m_choice(new QComboBox(m_list->viewport()))
    , m_colour(new CPropColourCombo(m_list->viewport()))
    , m_suggestions(new QComboBox(m_list->viewport()))
    , m_contextMenu(new QMenu(this))
    , m_fileDialog(RunPropFileDialog)
{
    setObjectName(QStringLiteral("27930"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);

    m_edit->setObjectName(QStringLiteral("27650"));
    m_edit->setFrame(false);
    m_choice->setObjectName(QStringLiteral("27651"));
    m_suggestions->setObjectName(QStringLiteral("27657"));
    m_suggestions->setEditable(true);
    m_colour->SetEntryHeight(m_list->RowHeight() - 3);
    for (QWidget *editor :
         {static_cast<QWidget *>(m_edit), static_cast<QWidget *>(m_choice),
          static_cast<QWidget *>(m_colour), static_cast<QWidget *>(m_suggestions)}) {
        editor->hide();
        editor->installEventFilter(this);
    }
    m_suggestions->lineEdit()->installEventFilter(this);

    m_colourDialog = [this](PropColorRef current, PropColorRef &chosen) {
        const QColor colour = QColorDialog::getColor(
            current == PropColorAutomatic ? QColor(Qt::white) : ToQColor(current), this);
        if (!colour.isValid())
            return false;
        chosen = FromQColor(colour);
        return true;
    };

    connect(m_list, &QListWidget::currentRowChanged, this, [this] { OnSelectionChanged(); });
    connect(m_edit, &QLineEdit::textEdited, this, [this] {
        if (m_pCurrent && m_pCurrent->m_bApplyOnChange && !m_programmaticText && UpdateItem(true))
            Apply();
    });
    const auto choiceMade = [this](QComboBox *combo) {
        connect(combo, qOverload<int>(&QComboBox::activated), this, [this] {
            if (m_pCurrent && m_pCurrent->m_bApplyOnChange) {
                if (UpdateItem(true))
                    Apply();
                if (m_activeEditor == propeditor::ColorList)
                    m_list->viewport()->update();
            }
            // A choice from the open list is final: back to the list, which commits it.
            m_list->setFocus(Qt::OtherFocusReason);
        });
    };
    choiceMade(m_choice);
    choiceMade(m_colour);

    // The context menu; the multi-object and default entries need property targets, which the
    // sheet does not have, so they stay disabled.
    const auto entry = [this](int textId, int commandId) {
        QAction *action = m_contextMenu->addAction(Str(PropString(textId)));
        action->setStatusTip(Str(PropString(commandId)));
        action->setData(commandId);
        action->setEnabled(false);
        return action;
    };
    entry(propstr::MenuDrillMulti, propstr::CmdDrillMulti);
    entry(propstr::MenuSaveAsDefault, propstr::CmdSaveAsDefault);
    entry(propstr::MenuClearDefault, propstr::CmdClearDefault);
    entry(propstr::MenuDelete, propstr::CmdDelete);
    m_contextMenu->addSeparator();
    QAction *sort = entry(propstr::MenuSort, propstr::CmdSort);
    sort->setEnabled(true);
    sort->setCheckable(true);
    connect(sort, &QAction::triggered, this, [this](bool checked) {
        CPropListBox::SetSorted(checked);
        FillList();
    });
    connect(m_contextMenu, &QMenu::aboutToShow, this,
            [sort] { sort->setChecked(CPropListBox::Sorted()); });
}

CPropListDlg::~CPropListDlg()
{
    // Palettes (also closed ones not yet deleted) report their end to this sheet, which must
    // still be whole then.
    for (CPropColourPalette *palette : findChildren<CPropColourPalette *>()) {
        palette->disconnect(this);
        delete palette;
    }
    for (QWidget *editor :
         {static_cast<QWidget *>(m_edit), static_cast<QWidget *>(m_choice),
          static_cast<QWidget *>(m_colour), static_cast<QWidget *>(m_suggestions)})
        editor->removeEventFilter(this);
    m_suggestions->lineEdit()->removeEventFilter(this);
}

QWidget *CPropListDlg::EditorOf(int id) const
{
    switch (id) {
    case propeditor::Edit:
        return m_edit;
    case propeditor::DropDownList:
        return m_choice;
    case propeditor::ColorList:
        return m_colour;
    case propeditor::EditCombo:
        return m_suggestions;
    default:
        return nullptr;
    }
}

CPropColourPalette *CPropListDlg::Palette() const
{
    // A palette that has closed is on its way out.
    return m_palette && m_palette->isVisible() ? m_palette.data() : nullptr;
}

QWidget *CPropListDlg::GetActiveEditor() const
{
    return EditorOf(m_activeEditor);
}

int CPropListDlg::ItemIndexOfRow(int row) const
{
    return m_list->ItemIndexOfRow(row);
}

int CPropListDlg::ColourListWidth() const
{
    // The colour drop-down is 28 dialog units wide (a dialog unit is a quarter of the average
    // character width).
    return 28 * fontMetrics().averageCharWidth() / 4;
}

bool CPropListDlg::IsEditable(int itemIndex) const
{
    const CPropOb *item = Items() ? Items()->GetAt(itemIndex) : nullptr;
    return item && item->m_bEditable;
}

QString CPropListDlg::ValueText(const CPropOb &item) const
{
    std::string text;
    item.GetValueText(text);
    return Str(text);
}

void CPropListDlg::FillList()
{
    HideEditor();
    if (!Items()) {
        m_list->clear();
        m_currentRow = -1;
        m_pCurrent = nullptr;
        return;
    }
    m_list->setUpdatesEnabled(false);
    {
        const QSignalBlocker blocker(m_list);
        m_list->clear();
        m_currentRow = -1;
        m_pCurrent = nullptr;
        for (int i = 0; i < Items()->GetSize(); ++i) {
            CPropOb *item = Items()->GetAt(i);
            item->m_pSheet = this;
            m_list->AddItemRow(i, Str(item->GetName()));
        }
        m_list->sortItems();
        if (m_list->count() > 0)
            m_list->setCurrentRow(0);
    }
    if (m_list->count() > 0)
        UpdateItem(false);
    m_list->setUpdatesEnabled(true);
    m_list->viewport()->update();
}

void CPropListDlg::OnSelectionChanged()
{
    if (m_closing)
        return;
    UpdateItem(false);
    if (!m_suppressEditor)
        OpenEditor(true);
}

bool CPropListDlg::UpdateItem(bool save)
{
    if (!save) {
        m_currentRow = m_list->currentRow();
        m_pCurrent =
            m_currentRow >= 0 && Items() ? Items()->GetAt(ItemIndexOfRow(m_currentRow)) : nullptr;
        if (!m_pCurrent) {
            m_currentRow = -1;
            return false;
        }
        CPropOb &item = *m_pCurrent;
        switch (item.m_nTypeCode) {
        case proptype::Int:
        case proptype::Long:
        case proptype::Double:
            m_strValue = ValueText(item);
            break;
        case proptype::String:
        case proptype::EditCombo:
            m_strValue = Str(static_cast<CPropStr &>(item).m_value);
            break;
        case proptype::File:
            m_strValue = Str(static_cast<CPropFile &>(item).m_value);
            break;
        case proptype::Choice: {
            ComboDropDown dropDown(m_choice);
            static_cast<CPropCombo &>(item).FillEditor(dropDown);
            break;
        }
        case proptype::Color:
            m_colourValue = static_cast<CPropColor &>(item).m_value;
            if (item.m_nEditorId == propeditor::ColorList)
                m_colour->SelectColour(m_colourValue);
            break;
        case proptype::Font:
            m_fontValue = static_cast<CPropFont &>(item).m_value;
            break;
        default:
            break;
        }
        m_edit->setMaxLength(32767);
        m_programmaticText = true;
        if (item.m_nEditorId == propeditor::Edit)
            m_edit->setText(m_strValue);
        if (item.m_nTypeCode == proptype::EditCombo) {
            ComboDropDown dropDown(m_suggestions);
            static_cast<CPropEditCombo &>(item).FillEditor(dropDown);
        }
        m_programmaticText = false;
        m_openingText = ValueText(item);
        return true;
    }

    if (m_currentRow < 0 || !m_pCurrent)
        return false;
    CPropOb &item = *m_pCurrent;
    CDataExchange dx(this, true);
    switch (item.m_nTypeCode) {
    case proptype::Int:
    case proptype::Long: {
        int value = 0;
        DDX_Text(dx, m_edit, value);
        if (!dx.Failed() && item.m_bValidate) {
            const int lo = item.m_nTypeCode == proptype::Int ? static_cast<CPropInt &>(item).m_min
                                                             : static_cast<CPropLong &>(item).m_min;
            const int hi = item.m_nTypeCode == proptype::Int ? static_cast<CPropInt &>(item).m_max
                                                             : static_cast<CPropLong &>(item).m_max;
            DDV_MinMaxInt(dx, m_edit, value, lo, hi);
        }
        if (dx.Failed())
            break;
        if (item.m_nTypeCode == proptype::Int)
            static_cast<CPropInt &>(item).m_value = value;
        else
            static_cast<CPropLong &>(item).m_value = value;
        break;
    }
    case proptype::Double: {
        auto &number = static_cast<CPropDbl &>(item);
        bool ok = false;
        const double value = m_edit->text().trimmed().toDouble(&ok);
        if (!ok)
            dx.Fail(m_edit, QStringLiteral("Please enter a number."));
        else if (item.m_bValidate && (value < number.m_min || value > number.m_max))
            dx.Fail(m_edit, QStringLiteral("Please enter a number between %1 and %2.")
                                .arg(number.m_min)
                                .arg(number.m_max));
        else
            number.m_value = value;
        break;
    }
    case proptype::String:
    case proptype::EditCombo:
    case proptype::File: {
        QString text = m_strValue;
        if (item.m_nEditorId == propeditor::Edit)
            text = m_edit->text();
        else if (item.m_nEditorId == propeditor::EditCombo)
            text = m_suggestions->currentText();
        if (item.m_nTypeCode != proptype::File && item.m_bValidate) {
            const auto &str = static_cast<CPropStr &>(item);
            if (str.m_nMaxLength > 0 && text.size() > str.m_nMaxLength) {
                dx.Fail(m_edit,
                        QStringLiteral("Enter no more than %1 characters.").arg(str.m_nMaxLength));
                break;
            }
            CPropDataExchange check;
            item.Validate(check, text.toStdString());
            if (check.Failed()) {
                dx.Fail(m_edit, Str(check.Message()));
                break;
            }
        }
        m_strValue = text;
        if (item.m_nTypeCode == proptype::File)
            static_cast<CPropFile &>(item).m_value = text.toStdString();
        else
            static_cast<CPropStr &>(item).m_value = text.toStdString();
        break;
    }
    case proptype::Choice: {
        const int index = std::max(0, m_choice->currentIndex());
        if (index < m_choice->count())
            static_cast<CPropCombo &>(item).m_value = int(m_choice->itemData(index).toLongLong());
        break;
    }
    case proptype::Color:
        if (item.m_nEditorId == propeditor::ColorList)
            m_colourValue = m_colour->SelectedColour();
        static_cast<CPropColor &>(item).m_value = m_colourValue;
        break;
    case proptype::Font:
        static_cast<CPropFont &>(item).m_value = m_fontValue;
        break;
    default:
        break;
    }
    if (dx.Failed()) {
        const QSignalBlocker blocker(m_list);
        m_list->setCurrentRow(m_currentRow);
        return false;
    }
    item.OnChanged();
    return true;
}

void CPropListDlg::OpenEditor(bool dropDown)
{
    // The editor starts from the item's value as it is now (the opening text of an editor that
    // closed before is gone).
    if (!GetActiveEditor() && !UpdateItem(false))
        return;
    if (!m_pCurrent || !m_pCurrent->m_bEditable || m_currentRow < 0)
        return;
    const QRect cell = m_list->ValueCell(m_currentRow);
    if (cell.bottom() < 0 || cell.top() >= m_list->viewport()->height())
        return; // scrolled out of sight
    m_opening = true;
    const int id = m_pCurrent->m_nEditorId;
    switch (id) {
    case propeditor::Edit:
        m_activeEditor = id;
        m_edit->setGeometry(cell.adjusted(4, 1, -1, -1));
        m_programmaticText = true;
        m_edit->setText(m_openingText);
        m_programmaticText = false;
        m_edit->show();
        m_edit->setFocus(Qt::OtherFocusReason);
        m_edit->selectAll();
        break;
    case propeditor::DropDownList:
    case propeditor::ColorList:
    case propeditor::EditCombo: {
        QComboBox *combo = static_cast<QComboBox *>(EditorOf(id));
        m_activeEditor = id;
        QRect r = cell.adjusted(0, -2, 0, 2);
        if (id == propeditor::ColorList)
            r = QRect(cell.left(), cell.top() - 1, ColourListWidth(), cell.height() + 2);
        combo->setGeometry(r);
        combo->show();
        combo->setFocus(Qt::OtherFocusReason);
        if (dropDown && id != propeditor::EditCombo)
            combo->showPopup();
        break;
    }
    case propeditor::Browse:
        m_editedRow = m_currentRow;
        // A cancelled dialog took nothing, so there is nothing to apply.
        if (Browse() && m_pCurrent && !m_pCurrent->IsModelessBrowse()) {
            m_list->viewport()->update();
            Apply();
        }
        m_opening = false;
        return;
    default:
        break;
    }
    m_editedRow = m_currentRow;
    m_opening = false;
    m_list->viewport()->update();
}

void CPropListDlg::Apply()
{
    CPropSheetCore::Apply();
}

void CPropListDlg::HideEditor()
{
    if (QWidget *editor = GetActiveEditor()) {
        m_closing = true;
        editor->hide();
        m_closing = false;
    }
    m_activeEditor = 0;
    m_editedRow = -1;
    m_openingText.clear();
}

void CPropListDlg::CloseEditor(bool restoreOnFailure)
{
    QWidget *editor = GetActiveEditor();
    if (!editor || m_closing)
        return;
    const bool edit = m_activeEditor == propeditor::Edit;
    if (!UpdateItem(true)) {
        if (edit && restoreOnFailure) {
            m_programmaticText = true;
            m_edit->setText(m_openingText);
            m_programmaticText = false;
            m_edit->setFocus(Qt::OtherFocusReason);
            m_edit->selectAll();
            return;
        }
        editor->setFocus(Qt::OtherFocusReason);
    }
    HideEditor();
    if (m_currentRow >= 0) {
        Apply();
        m_focusBackFromEditor = true;
        m_list->setFocus(Qt::OtherFocusReason);
    }
    m_list->viewport()->update();
}

bool CPropListDlg::eventFilter(QObject *watched, QEvent *event)
{
    QWidget *editor = GetActiveEditor();
    const bool ours = editor && (watched == editor ||
                                 (editor == m_suggestions && watched == m_suggestions->lineEdit()));
    if (!ours)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        // The open list of a drop-down takes the focus for a while; that does not close it.
        if (reason != Qt::PopupFocusReason && !m_opening) {
            if (auto *combo = qobject_cast<QComboBox *>(editor);
                combo && combo->view()->isVisible())
                return false;
            if (editor == m_suggestions && m_suggestions->hasFocus())
                return false;
            CloseEditor(true);
        }
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Enter, and Tab as in a dialog, take the focus to the list, which commits the value.
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            (key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ControlModifier))) {
            m_list->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            // The opening text comes back and is taken again as the list gets the focus.
            if (m_activeEditor == propeditor::Edit) {
                m_programmaticText = true;
                m_edit->setText(m_openingText);
                m_programmaticText = false;
            }
            m_list->setFocus(Qt::OtherFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CPropListDlg::OnListKey(QKeyEvent *event)
{
    m_focusBackFromEditor = false;
    const int key = event->key();
    if (key == Qt::Key_Shift || (event->modifiers() & Qt::ControlModifier) || !m_pCurrent)
        return;
    // Enter and Escape with no editor open leave the panel as it is.
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape)
        return;
    if (!GetActiveEditor())
        OpenEditor(false);
    // The character goes on to the editor: over a selected text it replaces it.
    QWidget *editor = GetActiveEditor();
    if (editor && !event->text().isEmpty()) {
        QWidget *target = editor == m_suggestions ? m_suggestions->lineEdit() : editor;
        QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text(),
                       event->isAutoRepeat(), ushort(event->count()));
        QApplication::sendEvent(target, &copy);
    }
}

void CPropListDlg::OnListTabReleased()
{
    if (m_focusBackFromEditor) {
        m_focusBackFromEditor = false;
        return;
    }
    OpenEditor(false);
}

void CPropListDlg::OnListDoubleClick()
{
    if (!m_pCurrent)
        return;
    if (!GetActiveEditor())
        OpenEditor(false);
    QWidget *editor = GetActiveEditor();
    if (!editor || !IsDropDownEditor(m_activeEditor))
        return;
    // Double-clicking a choice row steps through its choices and applies each one.
    auto *combo = static_cast<QComboBox *>(editor);
    if (combo->count() > 0)
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    m_list->setFocus(Qt::OtherFocusReason);
}

void CPropListDlg::ShowContextMenu(const QPoint &globalPos)
{
    m_list->setFocus(Qt::MouseFocusReason);
    m_contextMenu->popup(globalPos);
}

void CPropListDlg::resizeEvent(QResizeEvent *event)
{
    QWidget *editor = GetActiveEditor();
    if (editor && (editor->hasFocus() || editor->isAncestorOf(focusWidget())))
        m_list->setFocus(Qt::OtherFocusReason);
    QWidget::resizeEvent(event);
}

void CPropListDlg::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_list->setFocus(Qt::OtherFocusReason);
        return;
    }
    QWidget::keyPressEvent(event);
}

void CPropListDlg::contextMenuEvent(QContextMenuEvent *event)
{
    ShowContextMenu(event->globalPos());
}

void CPropListDlg::PaintRow(QPainter &painter, int row, const QRect &rect, bool selected) const
{
    const int index = ItemIndexOfRow(row);
    const CPropOb *item = Items() ? Items()->GetAt(index) : nullptr;
    if (!item)
        return;
    const QPalette &pal = m_list->palette();
    const int split = CPropListBox::Split();
    const int m = CPropListBox::kMargin;
    const QRect nameCell(rect.left(), rect.top(), split - rect.left(), rect.height());
    const QRect valueCell(split, rect.top(), rect.right() - split + 1, rect.height());

    painter.fillRect(nameCell,
                     selected ? pal.color(QPalette::Highlight) : pal.color(QPalette::Base));
    const bool editing = row == m_editedRow && GetActiveEditor();
    if (!editing)
        painter.fillRect(valueCell, item->m_bEditable ? pal.color(QPalette::Base)
                                                      : pal.color(QPalette::Button));
    painter.setPen(pal.color(QPalette::Button));
    painter.drawLine(rect.left(), rect.bottom(), rect.right(), rect.bottom());
    painter.drawLine(split - 1, rect.top(), split - 1, rect.bottom());

    painter.setPen(selected ? pal.color(QPalette::HighlightedText) : pal.color(QPalette::Text));
    painter.drawText(nameCell.adjusted(m + 2, m, -m, -m), Qt::AlignVCenter | Qt::TextSingleLine,
                     Str(item->GetName()));
    if (editing && !item->IsColorItem())
        return;

    QRect text = valueCell.adjusted(m + 2, m, -m, -m);
    if (item->IsColorItem()) {
        const int width = ColourListWidth() - 4;
        const QRect swatch(valueCell.left() + 2, valueCell.top() + 2, width,
                           valueCell.height() - 5);
        DrawColourSwatch(painter, swatch, static_cast<const CPropColor *>(item)->m_value, pal);
        text.setLeft(swatch.right() + 5);
    }
    if (!item->m_bEditable) {
        painter.setPen(pal.color(QPalette::Disabled, QPalette::Text));
        painter.drawRect(valueCell.adjusted(1, 1, -2, -2));
    } else {
        painter.setPen(pal.color(QPalette::Text));
    }
    if (!editing)
        painter.drawText(text, Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextExpandTabs,
                         ValueText(*item));

    // The button at the right end of the selected row: a down arrow for drop-downs, an ellipsis
    // for browse items; while an editor is open only colour items keep theirs.
    const int id = item->m_nEditorId;
    if (!selected || !item->m_bEditable || id == propeditor::Edit ||
        (editing && !item->IsColorItem()))
        return;
    const QRect button(valueCell.right() - CPropListBox::kButtonWidth + 1, valueCell.top(),
                       CPropListBox::kButtonWidth, valueCell.height() - 1);
    painter.fillRect(button, pal.color(QPalette::Button));
    painter.setPen(pal.color(QPalette::Light));
    painter.drawLine(button.topLeft(), button.topRight());
    painter.drawLine(button.topLeft(), button.bottomLeft());
    painter.setPen(pal.color(QPalette::Dark));
    painter.drawLine(button.bottomLeft(), button.bottomRight());
    painter.drawLine(button.topRight(), button.bottomRight());
    painter.setPen(pal.color(QPalette::ButtonText));
    painter.setBrush(pal.color(QPalette::ButtonText));
    const QPoint c = button.center();
    if (IsDropDownEditor(id)) {
        const QPoint arrow[3] = {c + QPoint(-3, -1), c + QPoint(3, -1), c + QPoint(0, 2)};
        painter.drawPolygon(arrow, 3);
    } else {
        for (int dx : {-4, 0, 4})
            painter.fillRect(QRect(c.x() + dx - 1, c.y() + 2, 2, 2),
                             pal.color(QPalette::ButtonText));
    }
}
