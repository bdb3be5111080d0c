#pragma once

#include <QDockWidget>

class CPropPanel;
class QTabWidget;

// The side bar "Project" (id 101): a dockable bar whose tab container (59648) holds the three
// panels of the program, in this order: "Properties" (the page's property panel), "Media" (the
// clip-art gallery) and "Objects" (the objects list). "Media" is the tab shown at start. The
// bar owns its panels. Until a panel is put in place with SetPanel, its tab says what it will
// hold.
class CTandemTabViewBar : public QDockWidget
{
    Q_OBJECT

public:
    enum Tab { PropertiesTab, MediaTab, ObjectsTab };

    explicit CTandemTabViewBar(QWidget *parent = nullptr);

    QTabWidget *Tabs() const { return m_tabs; }
    QWidget *Panel(Tab tab) const;
    // The property panel of the "Properties" tab.
    CPropPanel *PropertyPanel() const { return m_propertyPanel; }
    // Replaces the panel of a tab; the bar takes it.
    void SetPanel(Tab tab, QWidget *panel);
    // Enables or disables the gallery and objects panels (the insert commands' rule).
    void EnableGalleryPanels(bool enabled);

private:
    void UpdateMargins();

    QTabWidget *m_tabs;
    CPropPanel *m_propertyPanel;
};
