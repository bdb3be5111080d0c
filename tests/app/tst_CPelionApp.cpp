#include "app/CPelionApp.h"
#include "frame/CMainFrame.h"
#include "toolkit/QtBridge.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

class tst_CPelionApp : public QObject
{
    Q_OBJECT

private slots:
    void startUpLoadsProfileAndShowsMaximisedWindow();
};

void tst_CPelionApp::startUpLoadsProfileAndShowsMaximisedWindow()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const std::string program = fromQt(folder.path()) + "/";
    QVERIFY(util::WriteFileAtomic(program + "Tandem.ini", "[General]\r\nSite=/srv/site\r\n"));
    util::SetProgramFolder(program);

    CPelionApp app;
    QVERIFY(app.InitInstance());
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Torvane"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Pelion Web Author"));

    std::string site;
    QVERIFY(util::AppProfile().GetString("General", "Site", site));
    QCOMPARE(site, std::string("/srv/site"));
    QCOMPARE(util::AppProfile().Path(), program + "Tandem.ini");

    CMainFrame *frame = app.MainFrame();
    QVERIFY(frame);
    QCOMPARE(frame->windowTitle(), QStringLiteral("Pelion Web Builder"));
    QVERIFY(frame->isVisible());
    QVERIFY(frame->windowState() & Qt::WindowMaximized);
    util::SetProgramFolder("");
}

int main(int argc, char **argv)
{
    PrepareWebEngineEnvironment();
    QApplication application(argc, argv);
    tst_CPelionApp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CPelionApp.moc"
