#pragma once

#include "propgrid/CPropColor.h"
#include "propgrid/CPropFontValue.h"
#include "propgrid/CPropSheetCore.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>

class CPropColourCombo;
class CPropColourPalette;
class CPropListBox;
class CPropOb;
class QComboBox;
class QFont;
class QLineEdit;
class QMenu;

// What a file dialog of a file item is asked and what it answers.
struct PropFileRequest
{
    QWidget *parent = nullptr;
    QString filter; // "description|pattern|...||"
    QString folder; // the first folder shown
    QString fileName;
};
struct PropFileAnswer
{
    enum Kind { Cancelled, Chosen, Default } kind = Cancelled;
    QString path; // Chosen: the full path
};

// The property list with its in-place editors: a CPropListBox filling the widget and, over the
// value cell of the current row, one editor at a time, chosen by the item's editor id (edit
// box, drop-down list, colour drop-down, suggestion combo; browse items open a dialog or the
// colour palette). A value is taken into its item when the editor closes (it loses the focus)
// and then applied: every item is stored and Apply's notifications follow.
//
// The sheet does not own the items; Items() must outlive the binding. Dialogs are reached
// through replaceable functions so that a test can answer them.
class CPropListDlg : public QWidget, public CPropSheetCore
{
    Q_OBJECT

public:
    explicit CPropListDlg(QWidget *parent = nullptr);
    ~CPropListDlg() override;

    CPropListBox *GetListBox() const { return m_list; }
    // The editor shown now (null when none) and its id (0 when none).
    QWidget *GetActiveEditor() const;
    int ActiveEditorId() const { return m_activeEditor; }
    // True while OpenEditor runs (focus changes then must not refresh the panel).
    bool OpeningEditor() const { return m_opening; }
    CPropOb *CurrentItem() const { return m_pCurrent; }
    int CurrentRow() const { return m_currentRow; }
    // The colour palette while it is open, else null.
    CPropColourPalette *Palette() const;
    QMenu *ContextMenu() const { return m_contextMenu; }

    // Rebuilds the rows from the item array; selects the first row.
    void FillList();
    // Loads (save false) or takes (save true) the current item's value; false without a
    // current row or when validation failed.
    bool UpdateItem(bool save);
    void OpenEditor(bool dropDown);
    // Opens the browse dialog or palette of the current item; true when a value was taken (the
    // palette reports its choice later).
    bool Browse();
    void Apply() override;

    // The folder file references are made relative to, and the folder file dialogs start in.
    virtual std::string ReferenceFolder() const { return {}; }
    virtual std::string BrowseFolder() const { return {}; }

    using FileDialogFunction = std::function<PropFileAnswer(const PropFileRequest &request)>;
    void SetFileDialog(FileDialogFunction dialog) { m_fileDialog = std::move(dialog); }
    // The platform colour dialog of "More Colors...": true with chosen set on OK.
    using ColourDialogFunction = std::function<bool(PropColorRef current, PropColorRef &chosen)>;
    void SetColourDialog(ColourDialogFunction dialog) { m_colourDialog = std::move(dialog); }

    // Hooks of the list box.
    void SuppressEditor(bool suppress) { m_suppressEditor = suppress; }
    void OnSelectionChanged();
    void OnListKey(QKeyEvent *event);
    void OnListTabReleased();
    void OnListDoubleClick();
    void ShowContextMenu(const QPoint &globalPos);
    void PaintRow(QPainter &painter, int row, const QRect &rect, bool selected) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    QWidget *EditorOf(int id) const;
    void CloseEditor(bool restoreOnFailure);
    void HideEditor();
    bool ChooseFile();
    bool ChooseFont();
    // The font value from a font the dialog shows.
    void TakeFont(const QFont &chosen);
    void ShowPalette();
    bool IsEditable(int itemIndex) const;
    int ColourListWidth() const;
    QString ValueText(const CPropOb &item) const;
    int ItemIndexOfRow(int row) const;

    CPropListBox *m_list;
    QLineEdit *m_edit;
    QComboBox *m_choice;
    CPropColourCombo *m_colour;
    QComboBox *m_suggestions;
    QPointer<CPropColourPalette> m_palette;
    QMenu *m_contextMenu;

    int m_currentRow = -1;
    CPropOb *m_pCurrent = nullptr;
    int m_editedRow = -1;
    QString m_openingText;
    int m_activeEditor = 0;
    bool m_opening = false;
    bool m_focusBackFromEditor = false;
    bool m_closing = false;
    bool m_programmaticText = false;
    bool m_suppressEditor = false;

    // Exchange variables of the editors, by value kind.
    QString m_strValue;
    PropColorRef m_colourValue = 0;
    CPropFontValue m_fontValue;

    FileDialogFunction m_fileDialog;
    ColourDialogFunction m_colourDialog;
};
