#include "engine/WebEngineEnvironment.h"

#include <QByteArray>

#include <unistd.h>

void PrepareWebEngineEnvironment()
{
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) {
        flags += " --disable-gpu";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    }
}
