#include "../support/EngineWaits.h"
#include "ShellTestSupport.h"

#include "engine/CEditEngine.h"
#include "engine/EngineIds.h"
#include "insert/CInsertScriptDlg.h"
#include "insert/CSoundRecorder.h"
#include "sites/SiteDefinitions.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/CommandIds.h"
#include "util/AppProfile.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <memory>

// The small inserts of the Insert menu and Record Sound on a site page in the real editing
// component: what each one writes into the page, the files it copies into the site's resource
// folder ("media"), and that every way of cancelling leaves page and folder alone.
class tst_SmallInsertFlow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void insertsItsText_data();
    void insertsItsText();
    void cancelInsertsNothing_data();
    void cancelInsertsNothing();
    void recordSoundMakesItsFile();

private:
    // Answers the next dialog (the input dialog or the script dialog) with text and kind, and
    // the next file dialog with file.
    void answer(int id, const QString &text, int kind, const QString &file);
    QString body();
    bool waitIdle();
    QStringList resourceFiles() const;
    static CSoundRecorder *openRecorder();

    std::unique_ptr<ShellFixture> m_shell;
    CCEditView *m_view = nullptr;
    CEditEngine *m_engine = nullptr;
    QString m_site;
    QString m_art;
};

void tst_SmallInsertFlow::initTestCase()
{
    m_shell = std::make_unique<ShellFixture>(false);
    ShellFixture &shell = *m_shell;
    QVERIFY(util::MakeFolders(fromQt(shell.program + "Bin")));
    QVERIFY(QFile::copy(QStringLiteral(PELION_PROGRAM_DIR "/Bin/Template.wav"),
                        shell.program + "Bin/Template.wav"));
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    m_site = shell.program + "Site";
    QVERIFY(util::MakeFolders(fromQt(m_site)));
    SiteDefinitions(util::AppProfile()).Add("Site", fromQt(m_site), "media");
    m_art = shell.program + "Art/";
    QVERIFY(util::MakeFolders(fromQt(m_art)));
    for (const char *name : {"Clock.class", "intro.swf", "movie.dcr"})
        QVERIFY(util::WriteFileAtomic(fromQt(m_art + name), name));

    const QString path =
        shell.writePage("Site/index.html", "<html><head><title>Small</title></head><body><p>start "
                                           "here</p><p>second</p></body></html>");
    m_view = shell.open(path);
    QVERIFY(m_view);
    m_engine = m_view->Site()->Engine();
    QVERIFY(m_engine);
    QTRY_VERIFY_WITH_TIMEOUT(m_engine->IsLoaded(), 60000);
    QVERIFY(waitIdle());
    QTRY_VERIFY_WITH_TIMEOUT(m_engine->QueryEngineCommand(EngineId::FontName) & EngineFlag::Enabled,
                             20000);
}

void tst_SmallInsertFlow::cleanupTestCase()
{
    m_shell.reset();
}

bool tst_SmallInsertFlow::waitIdle()
{
    return enginewait::Idle(m_engine);
}

QString tst_SmallInsertFlow::body()
{
    return enginewait::Body(m_engine);
}

QStringList tst_SmallInsertFlow::resourceFiles() const
{
    return QDir(m_site + "/media").entryList(QDir::Files, QDir::Name);
}

CSoundRecorder *tst_SmallInsertFlow::openRecorder()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *recorder = qobject_cast<CSoundRecorder *>(widget);
            recorder && recorder->isVisible())
            return recorder;
    }
    return nullptr;
}

void tst_SmallInsertFlow::answer(int id, const QString &text, int kind, const QString &file)
{
    const bool picker =
        id == cmd::InsertApplet || id == cmd::InsertFlash || id == cmd::InsertShockwave;
    if (picker) {
        m_shell->fileAnswers.push_back(file);
        return;
    }
    m_shell->dialogAnswers.push_back([text, kind](CDialog &dialog) {
        if (auto *input = qobject_cast<CInputDlg *>(&dialog)) {
            input->Edit()->setText(text);
        } else if (auto *script = qobject_cast<CInsertScriptDlg *>(&dialog)) {
            script->TextEdit()->setPlainText(text);
            if (kind >= 0)
                script->KindButton(kind)->click();
        }
        if (text == QLatin1String("(cancel)")) {
            dialog.reject();
            return dialog.result();
        }
        return AcceptDialog(dialog);
    });
}

void tst_SmallInsertFlow::insertsItsText_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text"); // typed into the dialog
    QTest::addColumn<int>("kind");     // script kind clicked, -1 for the default
    QTest::addColumn<QString>("file"); // picked in the file dialog
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("folder");        // where the file dialog starts, below the program
    QTest::addColumn<QStringList>("expected");  // pieces of the body afterwards
    QTest::addColumn<QStringList>("resources"); // the resource folder afterwards

    const QStringList none;
    QTest::newRow("anchor with blanks")
        << int(cmd::InsertAnchor) << "two words" << -1 << ""
        << "Insert New Anchor"
        << ""
        << "" << QStringList{"<a name=\"two words\"></a>start here"} << none;
    QTest::newRow("script as html, at the caret")
        << int(cmd::InsertScript) << "<b id=\"raw\">raw</b>" << -1 << ""
        << "Insert Script"
        << ""
        << "" << QStringList{"<p><b id=\"raw\">raw</b>start here</p>"} << none;
    QTest::newRow("javascript at the end of the paragraph")
        << int(cmd::InsertScript) << "alert(1)" << int(CScriptObject::JavaScript) << ""
        << "Insert Script"
        << ""
        << ""
        << QStringList{"start here&nbsp;<script language=\"JScript\">\n<!-- \nalert(1)\n//  "
                       "-->\n</script></p><p>second</p>"}
        << none;
    QTest::newRow("vbscript at the end of the paragraph")
        << int(cmd::InsertScript) << "MsgBox \"hi\"\nx = 1" << int(CScriptObject::VBScript) << ""
        << "Insert Script"
        << ""
        << ""
        << QStringList{"start here&nbsp;<script language=\"VBScript\">\n<!-- \nMsgBox "
                       "\"hi\"\nx = 1\n'  -->\n</script></p>"}
        << none;
    QTest::newRow("applet") << int(cmd::InsertApplet) << "" << -1 << "Clock.class"
                            << ""
                            << "Java Applets|*.class||"
                            << "Applets"
                            << QStringList{"<applet code=\"media/Clock.class\" align=\"baseline\" "
                                           "width=\"300\" height=\"200\"></applet>start here"}
                            << QStringList{"Clock.class"};
    QTest::newRow("flash") << int(cmd::InsertFlash) << "" << -1 << "intro.swf"
                           << ""
                           << "All Files|*.*||"
                           << "Flash"
                           << QStringList{"clsid:D27CDB6E-AE6D-11cf-96B8-444553540000",
                                          "<param name=\"SRC\" value=\"media/intro.swf\">",
                                          "<embed src=\"media/intro.swf\"",
                                          "type=\"application/x-shockwave-flash\""}
                           << QStringList{"intro.swf"};
    QTest::newRow("shockwave") << int(cmd::InsertShockwave) << "" << -1 << "movie.dcr"
                               << ""
                               << "All Files|*.*||"
                               << "Shockwave"
                               << QStringList{"clsid:166B1BCA-3F9C-11CF-8075-444553540000",
                                              "<param name=\"SRC\" value=\"media/movie.dcr\">",
                                              "<embed src=\"media/movie.dcr\"",
                                              "type=\"application/x-director\""}
                               << QStringList{"movie.dcr"};
}

void tst_SmallInsertFlow::insertsItsText()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(int, kind);
    QFETCH(QString, file);
    QFETCH(QString, title);
    QFETCH(QString, filter);
    QFETCH(QString, folder);
    QFETCH(QStringList, expected);
    QFETCH(QStringList, resources);
    ShellFixture &shell = *m_shell;
    QVERIFY(m_view);
    shell.dialogTitles.clear();
    shell.fileRequests.clear();
    QVERIFY(shell.frame()->IsCommandEnabled(id));
    const QString before = body();

    answer(id, text, kind, file.isEmpty() ? QString() : m_art + file);
    QVERIFY(shell.frame()->RouteCommand(id));
    QVERIFY(waitIdle());
    const QString after = body();
    for (const QString &piece : expected)
        QVERIFY2(after.contains(piece), qPrintable(after));
    QCOMPARE(resourceFiles(), resources);
    if (title.isEmpty()) {
        QVERIFY(shell.dialogTitles.isEmpty());
        QCOMPARE(shell.fileRequests.size(), 1);
        QCOMPARE(shell.fileRequests.at(0).filter, filter);
        QVERIFY(shell.fileRequests.at(0).open);
        QCOMPARE(shell.fileRequests.at(0).folder, shell.program + folder);
        // The next pick of the kind starts where this one was made.
        QCOMPARE(GetLastFolder(id == cmd::InsertApplet  ? filekind::Applets
                               : id == cmd::InsertFlash ? filekind::Flash
                                                        : filekind::Shockwave),
                 m_art);
    } else {
        QCOMPARE(shell.dialogTitles, QStringList{title});
        QVERIFY(shell.fileRequests.isEmpty());
    }
    QVERIFY(shell.messages.isEmpty());

    // One undo takes the insert out again, for the next row.
    QVERIFY(m_engine->ExecEngineCommand(EngineId::Undo));
    QVERIFY(waitIdle());
    QCOMPARE(body(), before);
    for (const QString &name : resources)
        QVERIFY(QFile::remove(m_site + "/media/" + name));
}

void tst_SmallInsertFlow::cancelInsertsNothing_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("kind");

    QTest::newRow("anchor cancelled") << int(cmd::InsertAnchor) << "(cancel)" << -1;
    QTest::newRow("script cancelled")
        << int(cmd::InsertScript) << "(cancel)" << int(CScriptObject::JavaScript);
    QTest::newRow("script without text")
        << int(cmd::InsertScript) << "" << int(CScriptObject::JavaScript);
    QTest::newRow("applet file cancelled") << int(cmd::InsertApplet) << "" << -1;
    QTest::newRow("flash file cancelled") << int(cmd::InsertFlash) << "" << -1;
    QTest::newRow("shockwave file cancelled") << int(cmd::InsertShockwave) << "" << -1;
    QTest::newRow("record sound cancelled") << int(cmd::RecordSound) << "(cancel)" << -1;
}

void tst_SmallInsertFlow::cancelInsertsNothing()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(int, kind);
    ShellFixture &shell = *m_shell;
    QVERIFY(m_view);
    shell.dialogTitles.clear();
    const QString before = body();
    answer(id, text, kind, QString());
    QVERIFY(shell.frame()->RouteCommand(id));
    QVERIFY(waitIdle());
    QCOMPARE(body(), before);
    QCOMPARE(resourceFiles(), QStringList());
    QVERIFY(!openRecorder());
    QVERIFY(shell.dialogAnswers.empty());
    QVERIFY(shell.fileAnswers.empty());
}

void tst_SmallInsertFlow::recordSoundMakesItsFile()
{
    ShellFixture &shell = *m_shell;
    QVERIFY(m_view);
    shell.dialogTitles.clear();
    const QString before = body();
    QVERIFY(shell.frame()->IsCommandEnabled(cmd::RecordSound));
    answer(cmd::RecordSound, "greeting", -1, QString());
    QVERIFY(shell.frame()->RouteCommand(cmd::RecordSound));
    QCOMPARE(shell.dialogTitles, QStringList{"Enter name of the Wav to record"});

    // The template under the new name, and the recorder open on it.
    QCOMPARE(resourceFiles(), QStringList{"greeting.wav"});
    std::string copy, original;
    QVERIFY(util::ReadFile(fromQt(m_site + "/media/greeting.wav"), copy));
    QVERIFY(util::ReadFile(fromQt(shell.program + "Bin/Template.wav"), original));
    QVERIFY(copy == original);
    CSoundRecorder *recorder = openRecorder();
    QVERIFY(recorder);
    QCOMPARE(recorder->Path(), m_site + "/media/greeting.wav");
    QVERIFY(waitIdle());
    QCOMPARE(body(), before);
    recorder->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(QFile::remove(m_site + "/media/greeting.wav"));
}

int main(int argc, char **argv)
{
    tst_SmallInsertFlow test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_SmallInsertFlow.moc"
