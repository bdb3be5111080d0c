#include "insert/CListMenuDlg.h"

#include "insert/CListMenuObject.h"
#include "insert/CMenuItemDlg.h"
#include "toolkit/CDataExchange.h"
#include "toolkit/QtBridge.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <tuple>

namespace {
constexpr int kItemColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kSelectedColumn = 2;

// The Selected column reads "Yes" or "No" and changes only through the menu-item dialog.
class NoEditDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget *createEditor(QWidget *, const QStyleOptionViewItem &,
                          const QModelIndex &) const override
    {
        return nullptr;
    }
};
} // namespace

CListMenuDlg::CListMenuDlg(HtmlInserter insert, QWidget *parent)
    : CInsertObjectDlg(QStringLiteral("Add List / Menu"), QStringLiteral("Properties"),
                       std::move(insert), parent)
{
    m_nameEdit = AddEdit(1011, QStringLiteral("&Name:"));

    m_list = new QTreeWidget(Group());
    SetId(m_list, 1081);
    m_list->setRootIsDecorated(false);
    m_list->setItemsExpandable(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_list->setHeaderLabels(
        {QStringLiteral("Item"), QStringLiteral("Value"), QStringLiteral("Selected")});
    m_list->header()->setStretchLastSection(false);
    m_list->setItemDelegateForColumn(kSelectedColumn, new NoEditDelegate(m_list));
    m_list->setMinimumSize(260, 140);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { OnModify(); });

    auto *buttons = new QVBoxLayout;
    const struct
    {
        int id;
        const char *text;
        void (CListMenuDlg::*slot)();
    } actions[] = {
        {1082, "&Add", &CListMenuDlg::OnAdd},
        {1083, "&Modify", &CListMenuDlg::OnModify},
        {1084, "&Delete", &CListMenuDlg::OnDelete},
    };
    for (const auto &action : actions) {
        auto *button = new QPushButton(QString::fromLatin1(action.text), Group());
        button->setAutoDefault(false);
        SetId(button, action.id);
        connect(button, &QPushButton::clicked, this, action.slot);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    for (const auto &[id, text, by] : {std::tuple{1086, "&Up", -1}, std::tuple{1087, "Do&wn", 1}}) {
        auto *button = new QPushButton(QString::fromLatin1(text), Group());
        button->setAutoDefault(false);
        SetId(button, id);
        connect(button, &QPushButton::clicked, this, [this, by = by] { OnMove(by); });
        buttons->addWidget(button);
    }
    auto *row = new QHBoxLayout;
    row->addWidget(m_list, 1);
    row->addLayout(buttons);
    Form()->addRow(row);

    m_heightEdit = AddEdit(1004, QStringLiteral("Menu &Height:"));
    m_multiple = new QCheckBox(QStringLiteral("Multiple Selection"), Group());
    SetId(m_multiple, 1085);
    connect(m_multiple, &QCheckBox::clicked, this, &CListMenuDlg::OnMultiple);
    AddRow(m_multiple);
    resize(420, sizeHint().height());
}

void CListMenuDlg::DoDataExchange(CDataExchange &dx)
{
    DDX_Text(dx, m_nameEdit, m_strName);
    DDX_Text(dx, m_heightEdit, m_nHeight);
    DDV_MinMaxInt(dx, m_heightEdit, m_nHeight, 1, 100);
    DDX_Check(dx, m_multiple, m_bMultiple);
}

void CListMenuDlg::OnInitDialog()
{
    m_nameEdit->selectAll();
    m_nameEdit->setFocus();
}

void CListMenuDlg::keyPressEvent(QKeyEvent *event)
{
    // Enter ends an in-place edit of a row; it must not press OK as well.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && m_list->isAncestorOf(focusWidget())) {
        event->accept();
        return;
    }
    CInsertObjectDlg::keyPressEvent(event);
}

void CListMenuDlg::showEvent(QShowEvent *event)
{
    CInsertObjectDlg::showEvent(event);
    if (m_columnsSized)
        return;
    // Half, a third and a sixth of the list's width, once the list has its size.
    m_columnsSized = true;
    const int width = m_list->viewport()->width();
    m_list->setColumnWidth(kItemColumn, width / 2);
    m_list->setColumnWidth(kValueColumn, width / 3);
    m_list->setColumnWidth(kSelectedColumn, width / 6);
}

void CListMenuDlg::WriteRow(QTreeWidgetItem *item, const QString &text, const QString &value,
                            bool selected)
{
    item->setText(kItemColumn, text);
    item->setText(kValueColumn, value);
    item->setText(kSelectedColumn, QString::fromLatin1(CListMenuObject::SelectedText(selected)));
}

int CListMenuDlg::TargetRow() const
{
    if (m_list->topLevelItemCount() == 0)
        return -1;
    const int mark = m_list->indexOfTopLevelItem(m_list->currentItem());
    return mark < 0 ? 0 : mark;
}

void CListMenuDlg::SelectRow(int row)
{
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    if (!item)
        return;
    m_list->setCurrentItem(item);
    item->setSelected(true);
}

CListMenuObject CListMenuDlg::Rows() const
{
    CListMenuObject list;
    list.m_strName = fromQt(m_strName);
    list.m_nHeight = m_nHeight;
    list.m_bMultiple = m_bMultiple;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = m_list->topLevelItem(i);
        list.m_rows.push_back({fromQt(item->text(kItemColumn)), fromQt(item->text(kValueColumn)),
                               item->text(kSelectedColumn) == QLatin1String("Yes")});
    }
    return list;
}

void CListMenuDlg::ApplyMultipleRule(int row)
{
    if (m_multiple->isChecked())
        return;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        if (i != row && m_list->topLevelItem(i)->text(kSelectedColumn) != QLatin1String("No")) {
            m_multiple->setChecked(true);
            return;
        }
    }
}

void CListMenuDlg::OnAdd()
{
    CMenuItemDlg dialog(this);
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    auto *item = new QTreeWidgetItem;
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    WriteRow(item, dialog.m_strItem, dialog.m_strValue, dialog.m_bSelected);
    m_list->addTopLevelItem(item);
    m_list->setFocus();
    const int row = m_list->topLevelItemCount() - 1;
    SelectRow(row);
    ApplyMultipleRule(row);
}

void CListMenuDlg::OnModify()
{
    const int row = TargetRow();
    if (row < 0)
        return;
    QTreeWidgetItem *item = m_list->topLevelItem(row);
    CMenuItemDlg dialog(this);
    dialog.m_strItem = item->text(kItemColumn);
    dialog.m_strValue = item->text(kValueColumn);
    dialog.m_bSelected = item->text(kSelectedColumn) == QLatin1String("Yes");
    if (dialog.DoModal() != QDialog::Accepted)
        return;
    WriteRow(item, dialog.m_strItem, dialog.m_strValue, dialog.m_bSelected);
    ApplyMultipleRule(row);
}

void CListMenuDlg::OnDelete()
{
    const int row = TargetRow();
    if (row < 0)
        return;
    delete m_list->takeTopLevelItem(row);
    // The mark moves to the row that took the place (or the one before the end).
    if (QTreeWidgetItem *current = m_list->currentItem())
        current->setSelected(true);
}

void CListMenuDlg::OnMove(int by)
{
    const int mark = m_list->indexOfTopLevelItem(m_list->currentItem());
    const int target = mark + by;
    if (mark < 0 || target < 0 || target >= m_list->topLevelItemCount())
        return;
    QTreeWidgetItem *item = m_list->takeTopLevelItem(mark);
    m_list->insertTopLevelItem(target, item);
    SelectRow(target);
}

void CListMenuDlg::OnMultiple()
{
    if (!UpdateData(true))
        return;
    if (!m_bMultiple) {
        CListMenuObject list = Rows();
        // Rows are "Yes" or "No"; any text but "No" counts as selected here.
        for (std::size_t i = 0; i < list.m_rows.size(); ++i)
            list.m_rows[i].m_bSelected =
                m_list->topLevelItem(int(i))->text(kSelectedColumn) != QLatin1String("No");
        list.KeepFirstSelectedOnly();
        for (std::size_t i = 0; i < list.m_rows.size(); ++i) {
            if (!list.m_rows[i].m_bSelected)
                m_list->topLevelItem(int(i))->setText(kSelectedColumn, QStringLiteral("No"));
        }
    }
    UpdateData(false);
}

std::unique_ptr<CHtmlObject> CListMenuDlg::BuildObject() const
{
    return std::make_unique<CListMenuObject>(Rows());
}
