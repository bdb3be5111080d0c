#include "ShellTestSupport.h"

#include "engine/CEditEngine.h"
#include "engine/EngineIds.h"
#include "frame/CFormatBar.h"
#include "page/CCEditDoc.h"
#include "toolkit/CRecentFileList.h"
#include "toolkit/CommandIds.h"

#include <QAction>
#include <QToolBar>

// The host with the real editing component: the page really loads into Qt WebEngine, the
// toolbar's command reaches the component and the saved file holds the result.
class tst_CCEditSite : public QObject
{
    Q_OBJECT

private slots:
    void missingPageGivesTwoErrors();
    void boldWordThroughTheToolbarIsSaved();

private:
    static bool WaitIdle(CEditEngine *engine)
    {
        bool idle = false;
        engine->RunWhenIdle([&idle] { idle = true; });
        return QTest::qWaitFor([&idle] { return idle; }, 20000);
    }
};

void tst_CCEditSite::missingPageGivesTwoErrors()
{
    ShellFixture shell(false);
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    const QString path = shell.program + "nowhere.html";
    shell.app->OpenDocumentFile(path);
    QVERIFY(shell.waitForPages(0));
    QCOMPARE(shell.messages.size(), 2);
    QCOMPARE(shell.messages.at(0).text, QStringLiteral("Path Name Invalid"));
    QCOMPARE(shell.messages.at(1).text, path);
    QCOMPARE(shell.messages.at(1).title, QStringLiteral("Error"));
}

void tst_CCEditSite::boldWordThroughTheToolbarIsSaved()
{
    ShellFixture shell(false);
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    const QString path = shell.writePage(
        "bold.html", "<html><head><title>Bold</title></head><body><p>make this word bold</p>"
                     "</body></html>");
    CCEditView *view = shell.open(path);
    QVERIFY(view);
    CEditEngine *engine = view->Site()->Engine();
    QVERIFY(engine);
    QTRY_VERIFY_WITH_TIMEOUT(engine->IsLoaded(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(view->GetDocument()->GetTitle(), QStringLiteral("Bold : bold"),
                              10000);

    // Select the word (Find without prompting selects the match), then the toolbar's Bold.
    QVERIFY(view->Site()->ExecEngineCommand(EngineId::Find, QStringLiteral("word")));
    QVERIFY(WaitIdle(engine));
    QAction *bold = nullptr;
    for (QAction *action : shell.frame()->FormatBar()->actions()) {
        if (CMDIFrameWnd::CommandIdOf(action) == cmd::Bold)
            bold = action;
    }
    QVERIFY(bold);
    shell.frame()->UpdateCommandUI();
    QTRY_VERIFY_WITH_TIMEOUT((shell.frame()->UpdateCommandUI(), bold->isEnabled()), 10000);
    bold->trigger();
    QVERIFY(WaitIdle(engine));
    QTRY_VERIFY_WITH_TIMEOUT((shell.frame()->UpdateCommandUI(), bold->isChecked()), 10000);

    shell.frame()->RouteCommand(cmd::FileSave);
    QTRY_VERIFY_WITH_TIMEOUT(shell.app->RecentFileList()->Count() == 1, 20000);
    std::string text;
    QVERIFY(util::ReadFile(fromQt(path), text));
    QVERIFY2(text.find("<b>word</b>") != std::string::npos, text.c_str());
    QVERIFY(shell.messages.isEmpty());
}

int main(int argc, char **argv)
{
    tst_CCEditSite test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CCEditSite.moc"
