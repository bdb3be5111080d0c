#include "engine/WebEngineEnvironment.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <unistd.h>

namespace {

bool setDefault(const char *name, const char *value)
{
    if (!qEnvironmentVariableIsEmpty(name))
        return false;
    qputenv(name, value);
    return true;
}

QtMessageHandler previousHandler = nullptr;

// Qt and its web engine each say once that they found no OpenGL; without OpenGL is how the
// program runs, so those two lines would only worry the reader of the terminal.
void withoutOpenGlNotices(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg &&
        (text.startsWith(QLatin1String("QXcbIntegration: Cannot create platform OpenGL context")) ||
         text.startsWith(QLatin1String("No suitable graphics backend found"))))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
}

} // namespace

void PrepareWebEngineEnvironment()
{
    if (::geteuid() == 0)
        setDefault("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--disable-gpu")) {
        flags += " --disable-gpu";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
    }
    // Chromium draws the pages in software, so the views show its pictures through Qt Quick's
    // software renderer and the windows need no OpenGL at all. With OpenGL, start-up alone
    // spent most of its time loading a GL driver (on a machine without a GPU, a software
    // rasteriser and its compiler) and creating contexts that only copied those pictures, and a
    // window holding a page view was flushed through a texture at every paint. A user's own
    // choice of either setting is kept.
    setDefault("QT_QUICK_BACKEND", "software");
    if (setDefault("QT_XCB_GL_INTEGRATION", "none") && !previousHandler)
        previousHandler = qInstallMessageHandler(withoutOpenGlNotices);
}
