#pragma once

#include "page/FormatBarSync.h"

class CAppServices;
class CMDIFrameWnd;
class CPropPanel;
class QMenu;
class QString;
class QToolBar;
class QWidget;

// What a page view needs of the main window that holds it: its bars, the property panel, the
// gallery panels' enabled state, the Tools menu, the save mode of the Save on Exit question, the
// status text, and the application's services. The main frame implements it; a view finds it
// as its window (Of).
class CPageFrameHost
{
public:
    // The answers of the Save on Exit question that hold for every page of the run.
    enum SaveModeValue : short { SaveAll = 0, SaveNone = 1, SaveAsk = 2 };

    virtual ~CPageFrameHost() = default;

    // The host that holds widget: its window when that is one, otherwise null.
    static CPageFrameHost *Of(const QWidget *widget);

    // The host as a window: command routing, update requests, the active view.
    virtual CMDIFrameWnd *FrameWindow() = 0;
    // Null when the host runs without an application (tests of the frame alone).
    virtual CAppServices *Services() const = 0;

    // The format bar's drop-downs (each null when there is no format bar), one of its buttons
    // by command id, and the bar itself.
    virtual FormatBarLists FormatLists() const = 0;
    virtual QWidget *FormatBarButton(int id) const = 0;
    virtual QToolBar *FormatToolBar() const = 0;
    virtual QToolBar *ObjectToolBar() const = 0;

    // The property panel of the side bar (null without one).
    virtual CPropPanel *PropertyPanel() const = 0;
    // Enables or disables the clip-art and objects panels (the insert commands' rule).
    virtual void EnableGalleryPanels(bool enabled) = 0;
    virtual QMenu *ToolsMenu() const = 0;

    // SaveAll, SaveNone or SaveAsk.
    virtual short SaveMode() const = 0;
    virtual void SetStatusText(const QString &text) = 0;

protected:
    CPageFrameHost() = default;
    CPageFrameHost(const CPageFrameHost &) = default;
    CPageFrameHost &operator=(const CPageFrameHost &) = default;
};
