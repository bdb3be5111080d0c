#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>

#include <functional>

class QComboBox;
class QListWidget;
class QListWidgetItem;

// The objects list of the side bar (dialog 165): a sorted drop-down of the categories under
// "Bin/Objects/" (1062) and, in icon mode, the objects of the selected category (1063). A click
// on an object shows its description in the status bar; a double click inserts it into the
// active page. The panel reaches the page and the status bar only through its Target, so it
// can live below the windows that host it.
class CObjectsPanel : public QWidget
{
    Q_OBJECT

public:
    struct Target
    {
        // True when a page is open for editing; pagePath then receives its path ("" when it
        // was never saved).
        std::function<bool(QString *pagePath)> activePage;
        // Inserts at the page's selection; false when the page refuses it.
        std::function<bool(const QString &html)> insertHtml;
        std::function<void(const QString &text)> showStatus;
    };

    // fallbackIcon stands for an object whose icon file cannot be read.
    CObjectsPanel(Target target, const QIcon &fallbackIcon, QWidget *parent = nullptr);

    QComboBox *Categories() const { return m_categories; }
    QListWidget *Objects() const { return m_objects; }

    // Shows the objects of the category selected in the drop-down.
    void ShowCategory();
    // A click on the object (or on no object: ""): its description in the status bar.
    void ShowDescription(const QString &object);
    // Inserts the object into the active page; nothing when no page is open.
    void InsertObject(const QString &object);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QString IniPath() const;

    Target m_target;
    QIcon m_fallbackIcon;
    QString m_objectsFolder;
    QComboBox *m_categories;
    QListWidget *m_objects;
};
