#include "EngineTestSupport.h"

#include "engine/CFindDlg.h"
#include "engine/CInputPromptDlg.h"
#include "engine/CSourceFilter.h"

#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

// The editing component's tables, positioning, display aids, modes, find, print and prompts,
// through its C++ interface.
class tst_CEditEngineTools : public EngineTestCase
{
    Q_OBJECT

private slots:

    void tableCommands_data();
    void tableCommands();
    void mergeCellsKeepsContent();
    void tableCommandsOnlyInTables();

    void makeAbsoluteAndBack();
    void nudgeLockAndDrag();
    void dragInsideASelectedBoxSelectsItsText();
    void textDroppedOutOfABoxLeavesTheBox();
    void zOrder();

    void displayAidsStayOffThePage();

    void browserModeKeepsDocumentAndHistory();
    void backgroundSoundPlaysWhileEditing();

    void findSelectsAndReplaceIsOneStep();
    void findDialog();
    void printToPdf();
    void hyperlinkImageAndFont();
    void promptDialogs();

    void filteredPageRoundTrips_data();
    void filteredPageRoundTrips();
};

// 3 x 3 with a2 spanning two rows.
static const char kTable[] = "<table border=\"1\"><tbody>"
                             "<tr><td>a1</td><td>b1</td><td>c1</td></tr>"
                             "<tr><td rowspan=\"2\">a2</td><td>b2</td><td>c2</td></tr>"
                             "<tr><td>b3</td><td>c3</td></tr>"
                             "</tbody></table>";

static QString Rows(const QString &rows)
{
    return QStringLiteral("<table border=\"1\"><tbody>") + rows +
           QStringLiteral("</tbody></table>");
}

void tst_CEditEngineTools::tableCommands_data()
{
    QTest::addColumn<QString>("in");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("expected");

    const QString r1 = "<tr><td>a1</td><td>b1</td><td>c1</td></tr>";
    QTest::newRow("14 row above b2") << "b2" << 14
                                     << Rows(r1 + "<tr><td></td><td></td><td></td></tr>"
                                                  "<tr><td rowspan=\"2\">a2</td><td>b2</td><td>c2"
                                                  "</td></tr><tr><td>b3</td><td>c3</td></tr>");
    QTest::newRow("14 row above b3 widens a2")
        << "b3" << 14
        << Rows(r1 + "<tr><td rowspan=\"3\">a2</td><td>b2</td><td>c2</td></tr>"
                     "<tr><td></td><td></td></tr><tr><td>b3</td><td>c3</td></tr>");
    QTest::newRow("15 column left of b2")
        << "b2" << 15
        << Rows("<tr><td>a1</td><td></td><td>b1</td><td>c1</td></tr>"
                "<tr><td rowspan=\"2\">a2</td><td></td><td>b2</td><td>c2</td></tr>"
                "<tr><td></td><td>b3</td><td>c3</td></tr>");
    QTest::newRow("15 column left of a2 spans like it")
        << "a2" << 15
        << Rows("<tr><td></td><td>a1</td><td>b1</td><td>c1</td></tr>"
                "<tr><td rowspan=\"2\"></td><td rowspan=\"2\">a2</td><td>b2</td><td>c2</td></tr>"
                "<tr><td>b3</td><td>c3</td></tr>");
    QTest::newRow("16 rows of a2 (two)") << "a2" << 16 << Rows(r1);
    QTest::newRow("16 row of b2 moves a2 down")
        << "b2" << 16 << Rows(r1 + "<tr><td>a2</td><td>b3</td><td>c3</td></tr>");
    QTest::newRow("17 column of b2") << "b2" << 17
                                     << Rows("<tr><td>a1</td><td>c1</td></tr>"
                                             "<tr><td rowspan=\"2\">a2</td><td>c2</td></tr>"
                                             "<tr><td>c3</td></tr>");
    QTest::newRow("17 column of a2") << "a2" << 17
                                     << Rows("<tr><td>b1</td><td>c1</td></tr>"
                                             "<tr><td>b2</td><td>c2</td></tr>"
                                             "<tr><td>b3</td><td>c3</td></tr>");
    QTest::newRow("19 split a2") << "a2" << 19
                                 << Rows(r1 + "<tr><td>a2</td><td>b2</td><td>c2</td></tr>"
                                              "<tr><td></td><td>b3</td><td>c3</td></tr>");
    QTest::newRow("20 cell before b2")
        << "b2" << 20
        << Rows(r1 + "<tr><td rowspan=\"2\">a2</td><td></td><td>b2</td><td>c2</td></tr>"
                     "<tr><td>b3</td><td>c3</td></tr>");
    QTest::newRow("21 delete c2") << "c2" << 21
                                  << Rows(r1 + "<tr><td rowspan=\"2\">a2</td><td>b2</td></tr>"
                                               "<tr><td>b3</td><td>c3</td></tr>");
}

void tst_CEditEngineTools::tableCommands()
{
    QFETCH(QString, in);
    QFETCH(int, id);
    QFETCH(QString, expected);
    EngineFixture f;
    QVERIFY(f.load(page(Simple(kTable))));
    const QString before = f.body();
    QCOMPARE(before, QString::fromLatin1(kTable));
    QVERIFY(f.select(in));
    f.key(Qt::Key_Left);
    QVERIFY(f.engine->QueryEngineCommand(id) & EngineFlag::Enabled);
    QVERIFY(f.exec(id));
    QCOMPARE(f.body(), expected);
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), before);
    QVERIFY(f.exec(EngineId::Redo));
    QCOMPARE(f.body(), expected);
}

void tst_CEditEngineTools::mergeCellsKeepsContent()
{
    EngineFixture f;
    // Fixed cell boxes, so that a mouse drag can select from b2 to c3.
    QVERIFY(f.load(page(Simple(kTable, "<style>body{margin:0}table{border-collapse:collapse;"
                                       "border-spacing:0}td{width:60px;height:30px;padding:0;"
                                       "border:0}</style>"))));
    f.click(QPoint(90, 45)); // b2
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::MergeCells) & EngineFlag::Enabled));
    f.drag({QPoint(64, 45), QPoint(120, 60), QPoint(150, 78)});
    QVERIFY(f.engine->QueryEngineCommand(EngineId::MergeCells) & EngineFlag::Enabled);
    QVERIFY(f.exec(EngineId::MergeCells));
    QCOMPARE(f.body(),
             Rows("<tr><td>a1</td><td>b1</td><td>c1</td></tr>"
                  "<tr><td rowspan=\"2\">a2</td><td rowspan=\"2\" colspan=\"2\">b2 c2 b3 c3</td>"
                  "</tr><tr></tr>"));
    // The merged cell can be split again into single cells.
    QVERIFY(f.select("b2 c2"));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::SplitCell) & EngineFlag::Enabled);
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), QString::fromLatin1(kTable));
}

void tst_CEditEngineTools::tableCommandsOnlyInTables()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple(QByteArray("<p>outside</p>") + kTable))));
    QVERIFY(f.select("outside"));
    for (int id = EngineId::InsertRow; id <= EngineId::DeleteCells; ++id) {
        QVERIFY2(!(f.engine->QueryEngineCommand(id) & EngineFlag::Enabled),
                 qPrintable(QString::number(id)));
        QVERIFY(!f.engine->ExecEngineCommand(id));
    }
    QVERIFY(f.select("b1"));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::SplitCell) & EngineFlag::Enabled));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::MergeCells) & EngineFlag::Enabled));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::InsertRow) & EngineFlag::Enabled);
    // Deleting every row removes the table.
    QVERIFY(f.exec(EngineId::DeleteRows));
    QVERIFY(f.select("a2"));
    QVERIFY(f.exec(EngineId::DeleteRows));
    QCOMPARE(f.body(), QStringLiteral("<p>outside</p>"));
}

static const char kBoxes[] =
    "<p>para one</p>"
    "<div id=\"one\" style=\"position: absolute; left: 100px; top: 100px; width: 80px; height: "
    "40px;\">box one</div>"
    "<div id=\"two\" style=\"position: absolute; left: 300px; top: 100px; width: 80px; height: "
    "40px;\">box two</div>";

static QString StyleOf(const QString &body, const QString &id)
{
    const QRegularExpression re(QStringLiteral("id=\"%1\" style=\"([^\"]*)\"").arg(id));
    return re.match(body).captured(1);
}

void tst_CEditEngineTools::makeAbsoluteAndBack()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>first</p><p id=\"p\">second paragraph</p>",
                               "<style>body{margin:0}p{margin:10px 0;height:20px}</style>"))));
    const QString before = f.body();
    QVERIFY(f.select("second"));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::MakeAbsolute) & EngineFlag::Enabled);
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::MakeAbsolute) & EngineFlag::Latched));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::NudgeElement) & EngineFlag::Enabled));
    QVERIFY(f.exec(EngineId::MakeAbsolute));
    // Where it stood: below the first paragraph (10 + 20 + 10 collapsed margin), at its width.
    const QString style = StyleOf(f.body(), "p");
    QVERIFY2(style.contains("position: absolute; left: 0px; top: 30px;"), qPrintable(style));
    QVERIFY2(style.contains(QRegularExpression("width: \\d+px;")), qPrintable(style));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::MakeAbsolute) & EngineFlag::Latched);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::NudgeElement) & EngineFlag::Enabled);
    // And static again: the page is as it was.
    QVERIFY(f.exec(EngineId::MakeAbsolute));
    QCOMPARE(f.body(), before);
    QVERIFY(f.exec(EngineId::Undo));
    QVERIFY(StyleOf(f.body(), "p").contains("position: absolute"));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), before);
}

void tst_CEditEngineTools::nudgeLockAndDrag()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple(kBoxes, "<style>body{margin:0}</style>"))));
    f.click(QPoint(120, 120));
    QTRY_COMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Control);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::MakeAbsolute) & EngineFlag::Latched);

    QVERIFY(f.exec(EngineId::NudgeElement, QPoint(10, 5)));
    QVERIFY(StyleOf(f.body(), "one").contains("left: 110px; top: 105px;"));
    QVERIFY(f.exec(EngineId::Undo));
    QVERIFY(StyleOf(f.body(), "one").contains("left: 100px; top: 100px;"));
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::NudgeElement, QStringLiteral("x")));

    // Drag on a 25-pixel grid: 100 + 37 snaps to 125, 100 + 14 to 100 + 14 -> 125 (nearest).
    QVERIFY(f.exec(EngineId::SetAlignmentGrid, QPoint(25, 25)));
    // A press on a positioned element that is not selected yet selects it and drags it.
    auto drag = [&](QPoint from, QPoint by) {
        f.click(QPoint(600, 400));
        f.drag({from, from + QPoint(by.x() / 2, by.y() / 2), from + by});
    };
    drag(QPoint(120, 120), QPoint(37, 14));
    QVERIFY2(StyleOf(f.body(), "one").contains("left: 125px; top: 125px;"),
             qPrintable(StyleOf(f.body(), "one")));
    QVERIFY(f.exec(EngineId::Undo)); // the whole drag is one step
    QVERIFY(StyleOf(f.body(), "one").contains("left: 100px; top: 100px;"));

    // Constrained: along the axis of the larger movement only.
    QVERIFY(f.exec(EngineId::Constrain, true));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Constrain) & EngineFlag::Latched);
    drag(QPoint(120, 120), QPoint(37, 14));
    QVERIFY2(StyleOf(f.body(), "one").contains("left: 125px; top: 100px;"),
             qPrintable(StyleOf(f.body(), "one")));
    QVERIFY(f.exec(EngineId::Constrain, false));
    QVERIFY(f.exec(EngineId::SetAlignmentGrid, QPoint(0, 0)));

    // Locked: no nudge, no drag; unlocking is latched off again. Locking is undoable. (The drag
    // left the box selected, and a click into a selected box puts the caret in its text.)
    f.click(QPoint(600, 400));
    f.click(QPoint(150, 120));
    QTRY_COMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Control);
    const QString before = f.body();
    QVERIFY(f.exec(EngineId::LockElement));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::LockElement) & EngineFlag::Latched);
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::NudgeElement, QPoint(5, 5)));
    drag(QPoint(150, 120), QPoint(40, 40));
    QCOMPARE(f.body(), before);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::LockElement) & EngineFlag::Latched);
    QVERIFY(f.exec(EngineId::Undo)); // unlocks
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::LockElement) & EngineFlag::Latched));
    drag(QPoint(150, 120), QPoint(40, 0));
    QVERIFY2(StyleOf(f.body(), "one").contains("left: 165px; top: 100px;"),
             qPrintable(StyleOf(f.body(), "one")));
}

void tst_CEditEngineTools::dragInsideASelectedBoxSelectsItsText()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple(kBoxes, "<style>body{margin:0}</style>"))));
    const QString before = f.body();
    f.click(QPoint(150, 130)); // selects box one
    QTRY_COMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Control);
    // A press on its text (away from the frame) and a drag across it: the text is selected
    // from the press on; the box is not carried off and stays where it is.
    f.drag({QPoint(110, 110), QPoint(140, 112), QPoint(170, 114)});
    QCOMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Text);
    QCOMPARE(f.body(), before);
    QVERIFY(StyleOf(f.body(), "one").contains("left: 100px; top: 100px;"));
    // The selection is the box's text: typing replaces it inside the box.
    f.type("new");
    QVERIFY2(f.body().contains(QRegularExpression("id=\"one\"[^>]*>b?new</div>")),
             qPrintable(f.body()));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), before);
}

void tst_CEditEngineTools::textDroppedOutOfABoxLeavesTheBox()
{
    // The offscreen platform carries no real drag and drop, so the drag's events are sent in the
    // page itself: the engine's own handlers take them as they would a user's drag.
    EngineFixture f;
    QVERIFY(f.load(page(Simple(kBoxes, "<style>body{margin:0}</style>"))));
    const QString before = f.body();
    auto *view = f.engine->findChild<QWebEngineView *>();
    QVERIFY(view);
    const auto run = [&](const QString &script) {
        bool done = false;
        QVariant result;
        view->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                    [&](const QVariant &v) {
                                        result = v;
                                        done = true;
                                    });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 30000); }();
        f.idle();
        return result.toString();
    };
    // Selects part (end > 0) or all of box one's text, or box two's whole element, starts a drag
    // on it and drops it at the end of the paragraph; answers whether the drag was refused.
    const QString drag = QStringLiteral(R"((function (mode) {
        const box = document.getElementById(mode === 'box' ? 'two' : 'one');
        const r = document.createRange();
        if (mode === 'box') {
            r.selectNode(box);
        } else {
            r.setStart(box.firstChild, 0);
            r.setEnd(box.firstChild, mode === 'all' ? box.firstChild.length : 4);
        }
        const s = document.getSelection();
        s.removeAllRanges();
        s.addRange(r);
        const start = new DragEvent('dragstart', {bubbles: true, cancelable: true});
        box.dispatchEvent(start);
        if (start.defaultPrevented)
            return 'refused';
        const p = document.querySelector('p').getBoundingClientRect();
        document.body.dispatchEvent(new DragEvent('drop', {bubbles: true, cancelable: true,
            clientX: p.left + 60, clientY: p.top + p.height / 2,
            dataTransfer: new DataTransfer()}));
        document.dispatchEvent(new DragEvent('dragend', {bubbles: true}));
        return 'dropped';
    })('%1'))");

    // Part of the text: it moves into the paragraph, the box stays with the rest of its text.
    QCOMPARE(run(drag.arg("part")), QStringLiteral("dropped"));
    QString after = f.body();
    QVERIFY2(after.contains(QRegularExpression("<p>para [^<]*box [^<]*</p>")), qPrintable(after));
    QVERIFY2(after.contains(QRegularExpression("id=\"one\"[^>]*>one</div>")), qPrintable(after));
    QVERIFY(StyleOf(after, "one").contains("left: 100px; top: 100px;"));
    QVERIFY(f.exec(EngineId::Undo)); // one drop, one step
    QCOMPARE(f.body(), before);

    // All of it: the emptied box stays, holding a line break so that it keeps its place.
    QCOMPARE(run(drag.arg("all")), QStringLiteral("dropped"));
    after = f.body();
    QVERIFY2(after.contains(QRegularExpression("id=\"one\"[^>]*><br></div>")), qPrintable(after));
    QVERIFY2(after.contains("box one"), qPrintable(after));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), before);

    // A selection holding a whole box is never dragged as text.
    QCOMPARE(run(drag.arg("box")), QStringLiteral("refused"));
    QCOMPARE(f.body(), before);
}

void tst_CEditEngineTools::zOrder()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple(kBoxes, "<style>body{margin:0}</style>"))));
    f.click(QPoint(120, 120));
    QTRY_COMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Control);
    auto z = [&](const QString &id) {
        const QRegularExpression re(QStringLiteral("z-index: (-?\\d+)"));
        const auto m = re.match(StyleOf(f.body(), id));
        return m.hasMatch() ? m.captured(1) : QStringLiteral("auto");
    };
    QVERIFY(f.exec(EngineId::BringToFront));
    QCOMPARE(z("one"), QStringLiteral("2"));
    QCOMPARE(z("two"), QStringLiteral("1"));
    QVERIFY(f.exec(EngineId::SendBackward));
    QCOMPARE(z("one"), QStringLiteral("1"));
    QCOMPARE(z("two"), QStringLiteral("2"));
    QVERIFY(f.exec(EngineId::BringForward));
    QCOMPARE(z("one"), QStringLiteral("2"));
    QVERIFY(f.exec(EngineId::SendToBack));
    QCOMPARE(z("one"), QStringLiteral("1"));
    QCOMPARE(z("two"), QStringLiteral("2"));
    QVERIFY(f.exec(EngineId::SendBelowText));
    QCOMPARE(z("one"), QStringLiteral("-1"));
    QCOMPARE(z("two"), QStringLiteral("1"));
    QVERIFY(f.exec(EngineId::BringAboveText));
    QCOMPARE(z("one"), QStringLiteral("1"));
    QCOMPARE(z("two"), QStringLiteral("2"));
    for (int i = 0; i < 6; ++i)
        QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(z("one"), QStringLiteral("auto"));
    QCOMPARE(z("two"), QStringLiteral("auto"));
}

// The engine's view once what it shows now is painted: the runtime is idle, then two animation
// frames go by in the page (the second starts only after the first has been produced).
static QImage Grab(EngineFixture &f)
{
    f.idle();
    static int round = 0;
    const int mark = ++round;
    QWebEnginePage *page = f.webPage();
    page->runJavaScript(QStringLiteral("requestAnimationFrame(() => requestAnimationFrame(() => "
                                       "{ window.framesPainted = %1; }))")
                            .arg(mark),
                        QWebEngineScript::ApplicationWorld);
    [&] {
        QTRY_COMPARE_WITH_TIMEOUT(RunJs(page, QStringLiteral("window.framesPainted || 0"),
                                        QWebEngineScript::ApplicationWorld)
                                      .toInt(),
                                  mark, 30000);
    }();
    return f.engine->grab().toImage();
}

void tst_CEditEngineTools::displayAidsStayOffThePage()
{
    EngineFixture f;
    const QByteArray bytes =
        Simple("<table border=\"0\"><tr><td>cell</td></tr></table><!-- note --><p>text <a "
               "name=\"here\"></a></p><form action=\"x\"><p>in form</p></form>",
               "<style>body{margin:20px}</style>");
    const QString path = page(bytes);
    QVERIFY(f.load(path));
    const QByteArray plain = f.serialize();
    const QImage off = Grab(f);
    QVERIFY(f.exec(EngineId::ShowBorders, true));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::ShowBorders) & EngineFlag::Latched);
    const QImage borders = Grab(f);
    QVERIFY(f.exec(EngineId::ShowDetails, true));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::ShowDetails) & EngineFlag::Latched);
    const QImage details = Grab(f);
    // On screen they show (when the platform paints web content at all)...
    if (!off.isNull() && off != QImage()) {
        QVERIFY(borders != off);
        QVERIFY(details != borders);
    }
    // ...but the page itself is untouched: same markup, unchanged, saved byte for byte.
    QCOMPARE(f.serialize(), plain);
    QVERIFY(!f.engine->IsModified());
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Undo) & EngineFlag::Enabled));
    QVERIFY(f.save(m_dir->filePath("saved.htm")));
    QCOMPARE(ReadAll(m_dir->filePath("saved.htm")), bytes);
    // An edit with the aids on saves no trace of them either.
    QVERIFY(f.select("cell"));
    f.type("edited");
    QVERIFY(f.save(m_dir->filePath("edited.htm")));
    const QByteArray edited = ReadAll(m_dir->filePath("edited.htm"));
    QVERIFY(edited.contains("<td>edited</td>"));
    QVERIFY(!edited.contains("outline"));
    QVERIFY(!edited.contains("style=\""));
    // Nor does paper.
    const QString pdf = m_dir->filePath("aids.pdf");
    QSignalSpy printed(f.engine.get(), &CEditEngine::printFinished);
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Print, pdf));
    QVERIFY(printed.wait(60000));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString printedText = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(printedText.contains("edited") && printedText.contains("in form"),
             qPrintable(printedText));
    QVERIFY2(!printedText.contains("<p>") && !printedText.contains("<!--"),
             qPrintable(printedText));
    // The activation options keep their latched state only.
    for (int id : {EngineId::ActivateActiveX, EngineId::ActivateApplets, EngineId::ActivateDTCs}) {
        QVERIFY(f.exec(id, true));
        QVERIFY(f.engine->QueryEngineCommand(id) & EngineFlag::Latched);
        QVERIFY(f.exec(id, false));
        QVERIFY(!(f.engine->QueryEngineCommand(id) & EngineFlag::Latched));
    }
}

void tst_CEditEngineTools::browserModeKeepsDocumentAndHistory()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p id=\"p\">static text</p>"
                               "<script>document.title = 'script ran';</script>"))));
    QVERIFY(f.select("static"));
    f.type("edited");
    const QByteArray edited = f.serialize();
    QSignalSpy modes(f.engine.get(), &CEditEngine::modeChanged);
    QVERIFY(f.exec(EngineId::BrowseMode));
    QCOMPARE(f.engine->CurrentMode(), CEditEngine::Mode::Browser);
    QCOMPARE(modes.count(), 1);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::BrowseMode) & EngineFlag::Latched);
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::EditMode) & EngineFlag::Latched));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Bold) & EngineFlag::Enabled));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Undo) & EngineFlag::Enabled));
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::Undo));
    // The live copy runs the page's scripts and shows the edit.
    QWebEngineView *browser = nullptr;
    QTRY_VERIFY([&] {
        for (QWebEngineView *v : f.engine->findChildren<QWebEngineView *>()) {
            if (v->isVisible() && v->title() == QLatin1String("script ran"))
                browser = v;
        }
        return browser != nullptr;
    }());
    bool shown = false;
    browser->page()->toHtml([&](const QString &html) {
        shown = html.contains("edited text");
        shown = shown || html.contains("edited");
    });
    QTRY_VERIFY(shown);
    // The editor's own title is the page's, untouched by the script.
    QCOMPARE(f.engine->GetTitle(), QStringLiteral("T"));

    QVERIFY(f.exec(EngineId::EditMode));
    QCOMPARE(f.engine->CurrentMode(), CEditEngine::Mode::Editor);
    QCOMPARE(modes.count(), 2);
    QCOMPARE(f.serialize(), edited);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Undo) & EngineFlag::Enabled);
    QVERIFY(f.exec(EngineId::Undo));
    QVERIFY(f.body().startsWith("<p id=\"p\">static text</p>"));
    QVERIFY(f.exec(EngineId::Redo));
    QCOMPARE(f.serialize(), edited);
}

// A short silent WAV file (PCM, 8 kHz mono, 8 bit).
static QByteArray SilentWav(int samples)
{
    QByteArray data(samples, char(0x80));
    auto le32 = [](quint32 v) {
        const char b[4] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff),
                           char((v >> 24) & 0xff)};
        return QByteArray(b, 4);
    };
    auto le16 = [](quint16 v) {
        const char b[2] = {char(v & 0xff), char((v >> 8) & 0xff)};
        return QByteArray(b, 2);
    };
    return "RIFF" + le32(36 + samples) + "WAVEfmt " + le32(16) + le16(1) + le16(1) + le32(8000) +
           le32(8000) + le16(1) + le16(8) + "data" + le32(samples) + data;
}

void tst_CEditEngineTools::backgroundSoundPlaysWhileEditing()
{
    WriteAll(m_dir->filePath("loop.wav"), SilentWav(8000 * 5));
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>text</p>", "<bgsound src=\"loop.wav\" loop=\"infinite\">"))));
    QTRY_COMPARE_WITH_TIMEOUT(f.engine->PlayingBackgroundSound(), QStringLiteral("loop.wav"),
                              15000);
    QVERIFY(f.exec(EngineId::BrowseMode));
    QCOMPARE(f.engine->PlayingBackgroundSound(), QString());
    QVERIFY(f.exec(EngineId::EditMode));
    QTRY_COMPARE_WITH_TIMEOUT(f.engine->PlayingBackgroundSound(), QStringLiteral("loop.wav"),
                              15000);
    // A page without one starts playing when one is inserted, and stops when it is removed.
    QVERIFY(f.load(page(Simple("<p>quiet</p>"), QStringLiteral("quiet.htm"))));
    QCOMPARE(f.engine->PlayingBackgroundSound(), QString());
    QVERIFY(f.engine->InsertHtmlAtSelection("<bgsound src=\"loop.wav\" loop=\"infinite\">"));
    QTRY_COMPARE_WITH_TIMEOUT(f.engine->PlayingBackgroundSound(), QStringLiteral("loop.wav"),
                              15000);
    QVERIFY(f.exec(EngineId::Undo));
    QTRY_COMPARE(f.engine->PlayingBackgroundSound(), QString());
}

void tst_CEditEngineTools::findSelectsAndReplaceIsOneStep()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>Needle one, needle two.</p><p>needle three</p>"))));
    const QString before = f.body();
    QSignalSpy found(f.engine.get(), &CEditEngine::findResult);
    QVariantMap options{{"text", "needle"}, {"matchCase", true}};
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Find, options));
    QTRY_COMPARE(found.count(), 1);
    QVERIFY(found.last().first().toBool());
    QCOMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Text);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Copy) & EngineFlag::Enabled); // not a caret
    // Replace through the page model: one undo step.
    QVERIFY(f.engine->InsertHtmlAtSelection("<b>pin</b>"));
    f.idle();
    QCOMPARE(f.body(), QStringLiteral("<p>Needle one, <b>pin</b> two.</p><p>needle three</p>"));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), before);
    // Not found without wrapping past the last match; found again with wrap.
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Find, QStringLiteral("three")));
    QTRY_COMPARE(found.count(), 2);
    QVERIFY(found.last().first().toBool());
    QVERIFY(f.engine->ExecEngineCommand(
        EngineId::Find, QVariantMap{{"text", "Needle"}, {"matchCase", true}, {"wrap", false}}));
    QTRY_COMPARE(found.count(), 3);
    QVERIFY(!found.last().first().toBool());
    QVERIFY(f.engine->ExecEngineCommand(
        EngineId::Find, QVariantMap{{"text", "Needle"}, {"matchCase", true}, {"wrap", true}}));
    QTRY_COMPARE(found.count(), 4);
    QVERIFY(found.last().first().toBool());
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Find, QStringLiteral("absent text")));
    QTRY_COMPARE(found.count(), 5);
    QVERIFY(!found.last().first().toBool());
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::Find, QString()));
}

void tst_CEditEngineTools::findDialog()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>alpha beta gamma</p>"))));
    QSignalSpy found(f.engine.get(), &CEditEngine::findResult);
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Find, {}, nullptr, true));
    auto *dialog = f.engine->findChild<CFindDlg *>();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    dialog->findChild<QLineEdit *>()->setText(QStringLiteral("beta"));
    for (QPushButton *b : dialog->findChildren<QPushButton *>()) {
        if (b->text().contains("Find"))
            b->click();
    }
    QTRY_COMPARE(found.count(), 1);
    QVERIFY(found.first().first().toBool());
    QVERIFY(f.engine->InsertHtmlAtSelection("BETA"));
    f.idle();
    QCOMPARE(f.body(), QStringLiteral("<p>alpha BETA gamma</p>"));
}

void tst_CEditEngineTools::printToPdf()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<h1>Printed heading</h1><p>Body text of the printed page.</p>"))));
    const QString pdf = m_dir->filePath("out.pdf");
    QSignalSpy printed(f.engine.get(), &CEditEngine::printFinished);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Print) & EngineFlag::Enabled);
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Print, pdf));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Print) & EngineFlag::Enabled)); // busy
    QVERIFY(printed.wait(60000));
    QVERIFY(printed.first().first().toBool());
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(30000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(out.contains("Printed heading") && out.contains("Body text of the printed page."),
             qPrintable(out));
    // A page asking to print (window.print) gets the print dialog; cancelling reports failure.
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Print, {}, nullptr, true));
    QWidget *dialog = nullptr;
    QTRY_VERIFY((dialog = QApplication::activeModalWidget()) != nullptr ||
                (dialog = f.engine->findChild<QDialog *>()) != nullptr);
    QMetaObject::invokeMethod(dialog, "reject");
    QTRY_COMPARE(printed.count(), 2);
    QVERIFY(!printed.last().first().toBool());
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Print) & EngineFlag::Enabled);
}

void tst_CEditEngineTools::hyperlinkImageAndFont()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>one word here</p>"))));
    QVERIFY(f.select("word"));
    QVERIFY(f.exec(EngineId::Hyperlink, QStringLiteral("http://example.org/a?b=1&c=\"2\"")));
    QCOMPARE(f.body(),
             QStringLiteral("<p>one <a href=\"http://example.org/a?b=1&amp;c=&quot;2&quot;"
                            "\">word</a> here</p>"));
    QVERIFY(f.select("wor"));
    QVERIFY(f.exec(EngineId::Hyperlink, QStringLiteral("other.htm"))); // edits the link
    QCOMPARE(f.body(), QStringLiteral("<p>one <a href=\"other.htm\">word</a> here</p>"));
    QVERIFY(f.exec(EngineId::Hyperlink, QString())); // an empty address removes it
    QCOMPARE(f.body(), QStringLiteral("<p>one word here</p>"));

    QVERIFY(f.select("here"));
    QVERIFY(f.exec(EngineId::InsertImage, QStringLiteral("pics/a \"b\".gif")));
    QCOMPARE(f.body(), QStringLiteral("<p>one word <img src=\"pics/a &quot;b&quot;.gif\"></p>"));
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::InsertImage, QString()));
    // A local file inside the page's folder becomes a relative reference.
    WriteAll(m_dir->filePath("pic.gif"), "GIF89a");
    QVERIFY(f.select("one"));
    QVERIFY(f.exec(EngineId::InsertImage, m_dir->filePath("pic.gif")));
    QVERIFY(f.body().startsWith("<p><img src=\"pic.gif\"> word"));

    QVERIFY(f.select("word"));
    QVERIFY(f.exec(EngineId::FontDialog,
                   QVariantMap{{"face", "Courier New"}, {"bold", true}, {"color", 0x0000ff}}));
    const QString body = f.body();
    QVERIFY2(body.contains("<b>") && body.contains("face=\"Courier New\"") &&
                 body.contains("color=\"#ff0000\""),
             qPrintable(body));
    QVERIFY(f.exec(EngineId::Undo)); // one step for all of it
    QVERIFY(f.body().contains("<img src=\"pic.gif\"> word <img"));
}

void tst_CEditEngineTools::promptDialogs()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>one word here</p>"))));
    QVERIFY(f.select("word"));
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Hyperlink, {}, nullptr, true));
    auto *prompt = f.engine->findChild<CInputPromptDlg *>();
    QVERIFY(prompt);
    QCOMPARE(prompt->findChild<QLineEdit *>()->text(), QStringLiteral("http://"));
    prompt->findChild<QLineEdit *>()->setText(QStringLiteral("http://example.org/"));
    prompt->accept();
    f.idle();
    QCOMPARE(f.body(), QStringLiteral("<p>one <a href=\"http://example.org/\">word</a> here</p>"));
    QTRY_VERIFY(f.engine->findChild<CInputPromptDlg *>() == nullptr);
    // Asked again inside the link, the prompt starts from its address; Cancel changes nothing.
    QVERIFY(f.select("wor"));
    QVERIFY(f.engine->ExecEngineCommand(EngineId::Hyperlink, {}, nullptr, true));
    QTRY_VERIFY(f.engine->findChild<CInputPromptDlg *>() != nullptr);
    prompt = f.engine->findChild<CInputPromptDlg *>();
    QCOMPARE(prompt->findChild<QLineEdit *>()->text(), QStringLiteral("http://example.org/"));
    prompt->reject();
    f.idle();
    QCOMPARE(f.body(), QStringLiteral("<p>one <a href=\"http://example.org/\">word</a> here</p>"));
    QTRY_VERIFY(f.engine->findChild<CInputPromptDlg *>() == nullptr);
    // The image prompt inserts what it was given.
    QVERIFY(f.select("here"));
    QVERIFY(f.engine->ExecEngineCommand(EngineId::InsertImage, {}, nullptr, true));
    prompt = f.engine->findChild<CInputPromptDlg *>();
    QVERIFY(prompt);
    prompt->findChild<QLineEdit *>()->setText(QStringLiteral("logo.png"));
    prompt->accept();
    f.idle();
    QVERIFY(f.body().contains("<img src=\"logo.png\">"));
}

void tst_CEditEngineTools::filteredPageRoundTrips_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("plainSave"); // Save() instead of SaveFiltered()
    const int load = EngineFilter::FilterOnLoad;
    const int all =
        EngineFilter::DTCs | EngineFilter::ServerScript | EngineFilter::SourceFormatting;
    QTest::newRow("all options") << (all | load) << false;
    QTest::newRow("all options, plain save") << (all | load) << true;
    QTest::newRow("server script and formatting")
        << (EngineFilter::ServerScript | EngineFilter::SourceFormatting | load) << false;
    QTest::newRow("server script only") << (EngineFilter::ServerScript | load) << false;
    QTest::newRow("DTCs and server script")
        << (EngineFilter::DTCs | EngineFilter::ServerScript | load) << false;
}

// Every server block, the DTC block and (with source formatting) every byte outside the edited
// paragraph come back as they were.
void tst_CEditEngineTools::filteredPageRoundTrips()
{
    QFETCH(int, flags);
    QFETCH(bool, plainSave);
    const QByteArray original = ReadAll(DataFile("server.htm"));
    QVERIFY(!original.isEmpty());
    EngineFixture f;
    QVERIFY(f.load(page(original), true, flags));
    QVERIFY(f.engine->IsFilteredLoad());
    // Unchanged: byte for byte.
    QVERIFY(f.save(m_dir->filePath("same.htm"), !plainSave, flags));
    QCOMPARE(ReadAll(m_dir->filePath("same.htm")), original);
    // The kept blocks are not part of the edited page's text (find does not see them).
    QVERIFY(!f.select("Session"));
    QVERIFY(!f.select("Response.Write"));

    QVERIFY(f.select("this"));
    f.type("X");
    const QString target = m_dir->filePath("saved.htm");
    QVERIFY(f.save(target, !plainSave, flags));
    const QByteArray saved = ReadAll(target);

    static const char *const blocks[] = {"<%@ Language=VBScript %>",
                                         "<% Option Explicit %>",
                                         "<%= Title %>",
                                         "<% Response.Write \"y\" %>",
                                         "<% If Session(\"x\") Then %>",
                                         "<%= User %>",
                                         "<% End If %>",
                                         "<%= Link(\"a\") %>",
                                         "<% If c Then %>checked<% End If %>",
                                         "<?php echo \"php block\"; ?>"};
    for (const char *block : blocks)
        QVERIFY2(saved.contains(block), block);
    if (flags & EngineFilter::DTCs) {
        const qsizetype start = original.indexOf("<!--METADATA");
        const qsizetype end = original.indexOf("endspan-->") + 10;
        QVERIFY(saved.contains(original.mid(start, end - start)));
    }
    QVERIFY(saved.contains("X"));
    QVERIFY(!saved.contains("this"));
    QVERIFY(saved.contains("Caf\xe9")); // in the page's windows-1252
    QVERIFY(!saved.contains("&#xE000;") && !saved.contains("&#xe000;"));
    QVERIFY(!saved.contains(CSourceFilter::MarkerAttribute));
    if (flags & EngineFilter::SourceFormatting) {
        const qsizetype start = original.indexOf("<P ALIGN=center>");
        const qsizetype end = original.indexOf("</P>", start) + 4;
        QVERIFY2(saved.startsWith(original.left(start)), saved.constData());
        QVERIFY2(saved.endsWith(original.mid(end)), saved.constData());
        const QByteArray paragraph =
            saved.mid(start, saved.size() - (original.size() - end) - start);
        QVERIFY2(paragraph.startsWith("<P ALIGN=center>Edit") && paragraph.endsWith("</P>"),
                 paragraph.constData());
    }
    // The saved page loads and filters again like the original.
    EngineFixture again;
    QVERIFY(again.load(target, true, flags));
    QVERIFY(again.body().contains("X"));
}

PELION_ENGINE_TEST_MAIN(tst_CEditEngineTools)
#include "tst_CEditEngineTools.moc"
