#pragma once

#include "insert/CInsertObjectDlg.h"

class CListMenuObject;
class QCheckBox;
class QTreeWidget;
class QTreeWidgetItem;

// "Add List / Menu" (27936): a list or drop-down menu. Its entries are the rows of the list view
// (Item, Value, Selected "Yes"/"No"): added, modified (also by double-click), deleted and moved
// through the buttons and the menu-item dialog; Item and Value can also be edited in place (F2).
// The row under the current-item mark is the one the buttons act on. Height 1 to 100 rows.
class CListMenuDlg : public CInsertObjectDlg
{
    Q_OBJECT

public:
    explicit CListMenuDlg(HtmlInserter insert, QWidget *parent = nullptr);

    QString m_strName = QStringLiteral("List1");
    int m_nHeight = 1;
    bool m_bMultiple = false;

    QTreeWidget *List() const { return m_list; }

protected:
    void DoDataExchange(CDataExchange &dx) override;
    void OnInitDialog() override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    std::unique_ptr<CHtmlObject> BuildObject() const override;

private:
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnMove(int by);
    void OnMultiple();
    // The row the buttons act on: the mark, else the first row; -1 for an empty list.
    int TargetRow() const;
    void SelectRow(int row);
    // Switches multiple selection on when a row other than row is selected too.
    void ApplyMultipleRule(int row);
    CListMenuObject Rows() const;
    static void WriteRow(QTreeWidgetItem *item, const QString &text, const QString &value,
                         bool selected);

    QLineEdit *m_nameEdit;
    QTreeWidget *m_list;
    QLineEdit *m_heightEdit;
    QCheckBox *m_multiple;
    bool m_columnsSized = false;
};
