#include "app/CPelionApp.h"
#include "engine/CEditEngine.h"
#include "engine/WebEngineEnvironment.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

static bool haveDisplay()
{
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform)
        return true;
    const char *x11 = std::getenv("DISPLAY");
    const char *wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

int main(int argc, char **argv)
{
    if (!haveDisplay()) {
        std::fprintf(stderr, "pelion: no display found. Pelion Web Builder needs a graphical "
                             "session (DISPLAY or WAYLAND_DISPLAY); on a machine without one, "
                             "run it under xvfb-run.\n");
        return 1;
    }
    PrepareWebEngineEnvironment();
    CEditEngine::RegisterUrlScheme();
    CPelionApp::SetSettingsKey();
    QApplication application(argc, argv);
    CPelionApp app;
    if (!app.InitInstance(application.arguments().mid(1)))
        return 1;
    return application.exec();
}
