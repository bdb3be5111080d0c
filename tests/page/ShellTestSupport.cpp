#include "ShellTestSupport.h"

#include "engine/CEditEngine.h"
#include "engine/WebEngineEnvironment.h"

#include <QApplication>

int RunShellTest(QObject *test, int argc, char **argv)
{
    // Settings (recent files) and the user's folders stay inside the test's own folder.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(home.path() + QStringLiteral("/cache")));
    PrepareWebEngineEnvironment();
    CEditEngine::RegisterUrlScheme();
    CPelionApp::SetSettingsKey();
    QApplication application(argc, argv);
    return QTest::qExec(test, argc, argv);
}
