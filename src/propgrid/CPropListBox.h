#pragma once

#include <QListWidget>

class CPropListDlg;

// The two-column property list: one row per item of the owner's array, the name left of the
// split and the value right of it, drawn by the owner. Rows carry their item index + 1 and sort
// by it, or by name without regard to case while the program-wide sort flag is on.
//
// The split position (pixels from the left edge) is one value for the whole program; 0 means
// not set yet. The first sizing sets it to two fifths of the usable width, at least 120; it is
// never more than the usable width less 16 (except for that minimum).
class CPropListBox : public QListWidget
{
    Q_OBJECT

public:
    static constexpr int kMargin = 1;
    static constexpr int kButtonWidth = 16;

    explicit CPropListBox(CPropListDlg *owner, QWidget *parent = nullptr);

    int RowHeight() const;
    // The client width less 4.
    int UsableWidth() const;
    // Caps x at usable width - 16; a split still unset is raised to 120 (70 while dragging).
    void SetSplit(int x, bool dragging = false);
    static int Split() { return s_split; }
    // Starts the program-wide split over, as at program start.
    static void ForgetSplit() { s_split = 0; }
    static bool Sorted() { return s_sorted; }
    static void SetSorted(bool sorted) { s_sorted = sorted; }

    // The value cell of a row in viewport coordinates.
    QRect ValueCell(int row) const;
    // The item index of a row (its data - 1), -1 for none.
    int ItemIndexOfRow(int row) const;
    void AddItemRow(int itemIndex, const QString &name);

    bool Dragging() const { return m_dragging; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;

private:
    bool NearSplit(int x) const;

    CPropListDlg *m_owner;
    bool m_dragging = false;
    static int s_split;
    static bool s_sorted;
};
