#pragma once

#include <memory>

class CMainFrame;
class QApplication;

// The application object: starts the program, owns what lives for the whole run and the main
// frame. Construct it after the QApplication.
class CPelionApp
{
public:
    CPelionApp();
    ~CPelionApp();

    // Start-up: settings key, "Tandem.ini", main frame shown maximised. False when start-up
    // failed (the program then ends without a window).
    bool InitInstance();

    CMainFrame *MainFrame() const { return m_mainFrame.get(); }

    // Sets the organisation and application names that key the settings; call before
    // constructing QApplication-dependent objects that read settings.
    static void SetSettingsKey();

private:
    std::unique_ptr<CMainFrame> m_mainFrame;
};
