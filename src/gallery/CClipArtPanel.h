#pragma once

#include "gallery/ClipArtTree.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

// The clip-art gallery of the side bar (dialog 132): the tree of the clip-art folder (1049),
// the large preview button (1000) and the four buttons that jump to the "Animations" (1051),
// "Images" (1053), "Sounds" (1054) and "Videos" (1052) folders. The selected file is the
// current path every gallery command works on. A double click, Enter in the tree or a click on
// the preview sends command 1124 (insert the file the way that suits it), a right click 1125
// (its context menu), both only while the preview shows something.
//
// The folder is read once, when the panel is made; the tree's items are made when their folder
// is first opened, so that a folder of any size is shown at once.
class CClipArtPanel : public QWidget
{
    Q_OBJECT

public:
    // folder: the clip-art folder, ending with "/" (empty: ClipArtFolder()).
    explicit CClipArtPanel(const QString &folder = QString(), QWidget *parent = nullptr);
    ~CClipArtPanel() override;

    QTreeWidget *Tree() const { return m_tree; }
    QAbstractButton *PreviewButton() const;
    // The kind button with that id (1051, 1052, 1053, 1054), or null.
    QAbstractButton *KindButton(int id) const;

    // The full path of the selected item ("" when nothing is selected).
    QString CurrentPath() const { return m_currentPath; }
    // The selected item's text after its ancestors', "Clipart/Images/sun.gif" ("" for none).
    QString SelectedPath() const;
    // The preview button's caption, "U:<picture>~" ("W:7~U:<NONE~" at first).
    QString PreviewCaption() const { return m_caption; }
    // The picture the preview shows for an image or animation (null otherwise).
    QImage PreviewImage() const { return m_picture; }
    // Where the context menu of the last right click belongs (screen coordinates).
    QPoint ContextMenuPos() const { return m_menuPos; }

    // The item of a path as SelectedPath gives it, making the items on the way; null when the
    // tree has no such item.
    QTreeWidgetItem *ItemOfPath(const QString &path);
    // What a kind button does: selects the root's child named exactly folderName, when there
    // is one, and sorts its children by text.
    void JumpToFolder(const QString &folderName);

signals:
    // A command for the active page: 1124 (default insert) or 1125 (context menu).
    void command(int id);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class PreviewButtonWidget;

    QTreeWidgetItem *MakeItem(int32_t node);
    void Fill(QTreeWidgetItem *item);
    int32_t NodeOf(const QTreeWidgetItem *item) const;
    void OnCurrentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void SetCaption(const QString &caption);
    void Send(int id);

    QString m_folder; // the clip-art folder, ending with "/"
    gallery::ClipArtTree m_model;
    QTreeWidget *m_tree;
    PreviewButtonWidget *m_preview;
    QToolButton *m_kindButtons[4];
    QString m_currentPath;
    QString m_caption;
    QImage m_picture;
    QPoint m_menuPos;
};
