#include "propgrid/CPropListBox.h"

#include "propgrid/CPropListDlg.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

int CPropListBox::s_split = 0;
bool CPropListBox::s_sorted = false;

namespace {

constexpr int kIndexRole = Qt::UserRole + 1;

// A row that sorts by item index, or by name while sorting is on; the list stays a sorted one.
class PropRow : public QListWidgetItem
{
public:
    PropRow(int itemIndex, const QString &name)
        : QListWidgetItem(name)
    {
        setData(kIndexRole, itemIndex + 1);
    }
    bool operator<(const QListWidgetItem &other) const override
    {
        if (CPropListBox::Sorted()) {
            const int byName = text().compare(other.text(), Qt::CaseInsensitive);
            if (byName != 0)
                return byName < 0;
        }
        return data(kIndexRole).toInt() < other.data(kIndexRole).toInt();
    }
};

// The rows are drawn by the sheet, which knows the items.
class PropRowDelegate : public QStyledItemDelegate
{
public:
    PropRowDelegate(CPropListBox *list, CPropListDlg *owner)
        : QStyledItemDelegate(list)
        , m_list(list)
        , m_owner(owner)
    {}
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        painter->save();
        m_owner->PaintRow(*painter, index.row(), option.rect,
                          option.state & QStyle::State_Selected);
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(m_list->viewport()->width(), m_list->RowHeight());
    }

private:
    CPropListBox *m_list;
    CPropListDlg *m_owner;
};

bool IsNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return true;
    default:
        return false;
    }
}

} // namespace

CPropListBox::CPropListBox(CPropListDlg *owner, QWidget *parent)
    : QListWidget(parent)
    , m_owner(owner)
{
    setObjectName(QStringLiteral("27654"));
    setItemDelegate(new PropRowDelegate(this, owner));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUniformItemSizes(true);
    setSortingEnabled(true);
    setMouseTracking(true);
    setFrameShape(QFrame::StyledPanel);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int CPropListBox::RowHeight() const
{
    return fontMetrics().height() + 2 * kMargin + 1;
}

int CPropListBox::UsableWidth() const
{
    return viewport()->width() - 4;
}

void CPropListBox::SetSplit(int x, bool dragging)
{
    x = std::min(x, UsableWidth() - kButtonWidth);
    if (s_split == 0)
        x = std::max(x, dragging ? 70 : 120);
    s_split = x;
}

QRect CPropListBox::ValueCell(int row) const
{
    const QRect r = visualRect(model()->index(row, 0));
    return QRect(QPoint(s_split, r.top()), QPoint(viewport()->width() - 1, r.bottom()));
}

int CPropListBox::ItemIndexOfRow(int row) const
{
    const QListWidgetItem *entry = item(row);
    return entry ? entry->data(kIndexRole).toInt() - 1 : -1;
}

void CPropListBox::AddItemRow(int itemIndex, const QString &name)
{
    addItem(new PropRow(itemIndex, name));
}

void CPropListBox::resizeEvent(QResizeEvent *event)
{
    QListWidget::resizeEvent(event);
    SetSplit(s_split ? s_split : UsableWidth() * 2 / 5);
    viewport()->update();
}

bool CPropListBox::NearSplit(int x) const
{
    return s_split > 0 && std::abs(x - s_split) <= 3;
}

void CPropListBox::keyPressEvent(QKeyEvent *event)
{
    if (IsNavigationKey(event->key())) {
        // The selection change a navigation key makes opens no editor.
        m_owner->SuppressEditor(true);
        QListWidget::keyPressEvent(event);
        m_owner->SuppressEditor(false);
        return;
    }
    m_owner->OnListKey(event);
}

void CPropListBox::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier))) {
        m_owner->OnListTabReleased();
        return;
    }
    QListWidget::keyReleaseEvent(event);
}

bool CPropListBox::event(QEvent *event)
{
    // Tab opens the editor when it is released; its press must not move the focus on.
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ControlModifier))
            return true;
    }
    return QListWidget::event(event);
}

bool CPropListBox::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::MouseMove && !m_dragging) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        viewport()->setCursor(NearSplit(mouse->position().toPoint().x()) ? Qt::SplitHCursor
                                                                         : Qt::ArrowCursor);
    }
    return QListWidget::viewportEvent(event);
}

void CPropListBox::mousePressEvent(QMouseEvent *event)
{
    const int x = event->position().toPoint().x();
    if (event->button() == Qt::LeftButton && NearSplit(x)) {
        m_dragging = true;
        setFocus(Qt::MouseFocusReason);
        grabMouse();
        return;
    }
    if (event->button() == Qt::RightButton) {
        event->accept();
        return;
    }
    // A click in the name column selects without opening an editor.
    m_owner->SuppressEditor(x < s_split);
    QListWidget::mousePressEvent(event);
    m_owner->SuppressEditor(false);
}

void CPropListBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging) {
        const int before = s_split;
        SetSplit(event->position().toPoint().x(), true);
        if (s_split != before)
            viewport()->update();
        return;
    }
    if (event->buttons() & Qt::LeftButton)
        return; // no drag selection
    QListWidget::mouseMoveEvent(event);
}

void CPropListBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_dragging) {
        m_dragging = false;
        releaseMouse();
        return;
    }
    QListWidget::mouseReleaseEvent(event);
}

void CPropListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !NearSplit(event->position().toPoint().x()) &&
        indexAt(event->position().toPoint()).isValid())
        m_owner->OnListDoubleClick();
}

void CPropListBox::focusOutEvent(QFocusEvent *event)
{
    if (m_dragging) {
        m_dragging = false;
        releaseMouse();
    }
    QListWidget::focusOutEvent(event);
}

void CPropListBox::contextMenuEvent(QContextMenuEvent *event)
{
    if (m_dragging)
        return;
    setFocus(Qt::MouseFocusReason);
    m_owner->ShowContextMenu(event->globalPos());
}

void CPropListBox::scrollContentsBy(int dx, int dy)
{
    // Scrolling takes the focus to the list first, which closes an open editor.
    if (m_owner->GetActiveEditor())
        setFocus(Qt::OtherFocusReason);
    QListWidget::scrollContentsBy(dx, dy);
}
