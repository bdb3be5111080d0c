#include "app/CPelionApp.h"
#include "engine/CEditEngine.h"
#include "engine/WebEngineEnvironment.h"
#include "util/FileUtil.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Pelion Web Builder " PELION_VERSION "\nprogram folder: %s\n",
                        util::ProgramFolder().c_str());
            return 0;
        }
    }
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
    // Ties the windows to the menu entry (the Wayland application id, the start-up notice).
    QGuiApplication::setDesktopFileName(QStringLiteral("com.torvane.Pelion"));
    CPelionApp app;
    if (!app.InitInstance(application.arguments().mid(1)))
        return 1;
    return application.exec();
}
