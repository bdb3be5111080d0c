#include "../support/EngineWaits.h"
#include "ShellTestSupport.h"

#include "engine/CEditEngine.h"
#include "engine/EngineIds.h"
#include "frame/CFormatBar.h"
#include "page/CCEditDoc.h"
#include "toolkit/CRecentFileList.h"
#include "toolkit/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QToolBar>

// The host with the real editing component: the page really loads into Qt WebEngine, the
// toolbar's command reaches the component and the saved file holds the result.
class tst_CCEditSite : public QObject
{
    Q_OBJECT

private slots:
    void missingPageGivesTwoErrors();
    void boldWordThroughTheToolbarIsSaved();
    void menuKeysDoWhatTheMenusSay();
    void editingKeysOfTheInsertMenu_data();
    void editingKeysOfTheInsertMenu();
    void rightButtonShowsTheEditorMenu();

private:
    // A page in a real page window, loaded and titled.
    static CCEditView *OpenLoaded(ShellFixture &shell, const QByteArray &body)
    {
        if (!shell.start() || !shell.waitForPages(0))
            return nullptr;
        CCEditView *view = shell.open(shell.writePage(
            "keys.html", "<html><head><title>Keys</title></head><body>" + body + "</body></html>"));
        if (!view || !view->Site()->Engine())
            return nullptr;
        CEditEngine *engine = view->Site()->Engine();
        if (!QTest::qWaitFor([engine] { return engine->IsLoaded(); }, 30000) || !WaitIdle(engine))
            return nullptr;
        return view;
    }
    // Chromium's widget that receives the keys and the mouse.
    static QWidget *InputOf(CEditEngine *engine)
    {
        QWidget *widget = engine;
        while (widget->focusProxy())
            widget = widget->focusProxy();
        return widget;
    }
    static QString Body(CEditEngine *engine) { return enginewait::Body(engine, 20000); }
    // Sends a key to the component and waits until the page has taken it.
    static void Key(CEditEngine *engine, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QWidget *input = InputOf(engine);
        input->setFocus();
        QTest::keyClick(input, key, modifiers);
        QTest::qWait(50);
        WaitIdle(engine);
    }
    static QWidget *VisibleTopLevel(const QString &title)
    {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && widget->windowTitle() == title)
                return widget;
        }
        return nullptr;
    }

private:
    static bool WaitIdle(CEditEngine *engine) { return enginewait::Idle(engine, 20000); }
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

void tst_CCEditSite::menuKeysDoWhatTheMenusSay()
{
    ShellFixture shell(false);
    CCEditView *view = OpenLoaded(shell, "<p>keep this line</p>");
    QVERIFY(view);
    CEditEngine *engine = view->Site()->Engine();

    // Ctrl+K is "&Link...": the link prompt comes up and the text stays (the component's own
    // binding would delete to the end of the line).
    QVERIFY(engine->ExecEngineCommand(EngineId::Find, QStringLiteral("this")));
    QVERIFY(WaitIdle(engine));
    Key(engine, Qt::Key_K, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(VisibleTopLevel("Hyperlink") || engine->findChild<QDialog *>(), 10000);
    QDialog *prompt = engine->findChild<QDialog *>();
    QVERIFY(prompt && prompt->isVisible());
    prompt->reject();
    QVERIFY(WaitIdle(engine));
    QCOMPARE(Body(engine), QStringLiteral("<p>keep this line</p>"));

    // Ctrl+Y redoes what Ctrl+Z undid.
    QVERIFY(engine->ExecEngineCommand(EngineId::Find, QStringLiteral("this")));
    QVERIFY(WaitIdle(engine));
    Key(engine, Qt::Key_X);
    QCOMPARE(Body(engine), QStringLiteral("<p>keep x line</p>"));
    Key(engine, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Body(engine), QStringLiteral("<p>keep this line</p>"));
    Key(engine, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(Body(engine), QStringLiteral("<p>keep x line</p>"));

    // Ctrl+A selects the whole page: typing replaces all of it.
    Key(engine, Qt::Key_A, Qt::ControlModifier);
    Key(engine, Qt::Key_Q);
    QVERIFY2(!Body(engine).contains("keep"), qPrintable(Body(engine)));
    QVERIFY(Body(engine).contains("q"));

    // Ctrl+F is Find: the component's find prompt comes up.
    Key(engine, Qt::Key_F, Qt::ControlModifier);
    QTRY_VERIFY_WITH_TIMEOUT(
        engine->findChild<QDialog *>() && engine->findChild<QDialog *>()->isVisible(), 10000);
    engine->findChild<QDialog *>()->reject();
}

void tst_CCEditSite::editingKeysOfTheInsertMenu_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("body");
    // The caret stands between "ab" and "cd".
    QTest::newRow("enter-new-paragraph") << int(Qt::Key_Return) << 0 << "<p>ab</p><p>cd</p>";
    QTest::newRow("shift-enter-new-line")
        << int(Qt::Key_Return) << int(Qt::ShiftModifier) << "<p>ab<br>cd</p>";
    QTest::newRow("del-deletes") << int(Qt::Key_Delete) << 0 << "<p>abd</p>";
}

void tst_CCEditSite::editingKeysOfTheInsertMenu()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, body);
    ShellFixture shell(false);
    CCEditView *view = OpenLoaded(shell, "<p>abcd</p>");
    QVERIFY(view);
    CEditEngine *engine = view->Site()->Engine();
    QVERIFY(engine->ExecEngineCommand(EngineId::Find, QStringLiteral("ab")));
    QVERIFY(WaitIdle(engine));
    Key(engine, Qt::Key_Right);
    Key(engine, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(Body(engine), body);
}

void tst_CCEditSite::rightButtonShowsTheEditorMenu()
{
    ShellFixture shell(false);
    CCEditView *view = OpenLoaded(shell, "<p>some text to click on</p>");
    QVERIFY(view);
    CEditEngine *engine = view->Site()->Engine();
    QWidget *input = InputOf(engine);
    QTest::mouseClick(input, Qt::RightButton, {}, QPoint(40, 20));
    QMenu *menu = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT(
        (menu = view->findChild<QMenu *>("pageContextMenu")) && menu->isVisible(), 10000);
    QStringList texts;
    for (QAction *action : menu->actions()) {
        if (!action->isSeparator())
            texts << action->text();
    }
    QCOMPARE(texts.mid(0, 3), (QStringList{"Cu&t", "&Copy", "&Paste"}));
    for (const QString &text : texts) {
        for (const char *browser : {"Back", "Forward", "Reload", "Save", "View"})
            QVERIFY2(!text.contains(QLatin1String(browser)), qPrintable(text));
    }
    menu->close();
}

int main(int argc, char **argv)
{
    tst_CCEditSite test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CCEditSite.moc"
