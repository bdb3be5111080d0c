#include "app/CPelionApp.h"

#include "frame/CMainFrame.h"
#include "util/AppProfile.h"

#include <QCoreApplication>

CPelionApp::CPelionApp() = default;
CPelionApp::~CPelionApp() = default;

void CPelionApp::SetSettingsKey()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Torvane"));
    QCoreApplication::setApplicationName(QStringLiteral("Pelion Web Author"));
}

bool CPelionApp::InitInstance()
{
    SetSettingsKey();
    // A missing or unreadable Tandem.ini is an empty store; it is written on the first save.
    util::LoadAppProfile();
    m_mainFrame = std::make_unique<CMainFrame>();
    m_mainFrame->showMaximized();
    return true;
}
