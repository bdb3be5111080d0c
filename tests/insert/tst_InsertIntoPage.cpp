#include "../support/EngineWaits.h"
#include "ShellTestSupport.h"

#include "engine/CEditEngine.h"
#include "engine/EngineIds.h"
#include "toolkit/CommandIds.h"

#include <QLineEdit>

// The insert commands on the real editing component: the element lands in the page, and one
// undo takes it out again (one redo puts it back).
class tst_InsertIntoPage : public QObject
{
    Q_OBJECT

private slots:
    void insertIsOneUndoStep_data();
    void insertIsOneUndoStep();

private:
    static bool WaitIdle(CEditEngine *engine) { return enginewait::Idle(engine, 20000); }
    static QString Body(CEditEngine *engine) { return enginewait::Body(engine, 20000); }
};

void tst_InsertIntoPage::insertIsOneUndoStep_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected"); // pieces of the page body after the insertion

    QTest::newRow("form") << int(cmd::InsertForm) << "order"
                          << QStringList{"<form method=\"POST\" action=\"path-to-your-cgi\" "
                                         "name=\"order\">"};
    QTest::newRow("button") << int(cmd::InsertButton) << "go"
                            << QStringList{"<input type=\"button\" value=\"\" name=\"go\">"};
    QTest::newRow("checkbox") << int(cmd::InsertCheckbox) << "agree"
                              << QStringList{"type=\"checkbox\"", "name=\"agree\""};
    QTest::newRow("radio") << int(cmd::InsertRadio) << "size"
                           << QStringList{"type=\"radio\"", "name=\"size\""};
    QTest::newRow("list") << int(cmd::InsertListMenu) << "colours"
                          << QStringList{"<select size=\"1\" name=\"colours\"></select>"};
    QTest::newRow("text field") << int(cmd::InsertTextField) << "who"
                                << QStringList{"type=\"text\"", "name=\"who\"", "size=\"20\""};
    QTest::newRow("table") << int(cmd::InsertTable) << ""
                           << QStringList{"<table width=\"75%\" border=\"1\">", "<td>&nbsp;</td>"};
}

void tst_InsertIntoPage::insertIsOneUndoStep()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    ShellFixture shell(false);
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    const QString path = shell.writePage(
        "form.html", "<html><head><title>F</title></head><body><p>start here</p></body></html>");
    CCEditView *view = shell.open(path);
    QVERIFY(view);
    CEditEngine *engine = view->Site()->Engine();
    QVERIFY(engine);
    QTRY_VERIFY_WITH_TIMEOUT(engine->IsLoaded(), 30000);
    QVERIFY(WaitIdle(engine));
    QTRY_VERIFY_WITH_TIMEOUT(engine->QueryEngineCommand(EngineId::FontName) & EngineFlag::Enabled,
                             10000);
    const QString before = Body(engine);

    shell.dialogAnswers.push_back([name](CDialog &dialog) {
        if (auto *box = dialog.findChild<QLineEdit *>("1011"); box && !name.isEmpty())
            box->setText(name);
        return AcceptDialog(dialog);
    });
    shell.frame()->RouteCommand(id);
    QCOMPARE(shell.dialogTitles.size(), 1);
    QVERIFY(WaitIdle(engine));
    const QString after = Body(engine);
    for (const QString &piece : expected)
        QVERIFY2(after.contains(piece, Qt::CaseInsensitive), qPrintable(after));
    QVERIFY(after.contains("here"));

    QVERIFY(engine->ExecEngineCommand(EngineId::Undo));
    QVERIFY(WaitIdle(engine));
    QCOMPARE(Body(engine), before);
    QVERIFY(engine->ExecEngineCommand(EngineId::Redo));
    QVERIFY(WaitIdle(engine));
    QCOMPARE(Body(engine), after);
    QVERIFY(shell.messages.isEmpty());
}

int main(int argc, char **argv)
{
    tst_InsertIntoPage test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_InsertIntoPage.moc"
