#include "EngineTestSupport.h"

#include <QCursor>
#include <QGuiApplication>

// Bold, italic, underline, font face, size and colour on large selections: the runtime's own pass
// writes what Chromium's command writes, is one undo step, and leaves the right state.
class tst_CEditEngineFormatting : public EngineTestCase
{
    Q_OBJECT

private slots:
    void ownPassWritesWhatTheCommandWrites_data();
    void ownPassWritesWhatTheCommandWrites();
    void largePage_data();
    void largePage();
    void largePageTogglesOff();
    void largePageKeepsTheOlderHistory();
    void nativeCommandOnLargeSelectionSaysItIsBusy();
    void ownPassSavesLikeTheCommand_data();
    void ownPassSavesLikeTheCommand();
    void shortcutTakesTheCommandPath();

private:
    QString formatted(const QByteArray &body, const QString &select, int extend, int id,
                      const QVariant &input, CEditEngine::FormattingPass pass, int *passes);
};

static int Passes(EngineFixture &f, CEditEngine::FormattingPass pass)
{
    int passes = -2;
    f.engine->SetFormattingPass(pass, [&](int n) { passes = n; });
    f.idle();
    return passes;
}

// The body after selecting (all, or the first match of select, extended by that many
// Shift+Right) and running the command on the given path; passes gets the number of own passes
// that ran.
QString tst_CEditEngineFormatting::formatted(const QByteArray &body, const QString &select,
                                             int extend, int id, const QVariant &input,
                                             CEditEngine::FormattingPass pass, int *passes)
{
    EngineFixture f;
    if (!f.load(page(Simple(body))))
        return QStringLiteral("(not loaded)");
    Passes(f, pass);
    if (select.isEmpty())
        f.exec(EngineId::SelectAll);
    else if (!f.select(select))
        return QStringLiteral("(not found)");
    for (int i = 0; i < extend; ++i)
        f.key(Qt::Key_Right, Qt::ShiftModifier);
    f.exec(id, input);
    *passes = Passes(f, CEditEngine::FormattingPass::Automatic);
    return f.body();
}

void tst_CEditEngineFormatting::ownPassWritesWhatTheCommandWrites_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("select"); // empty: select all
    QTest::addColumn<int>("extend");

    struct Fixture
    {
        const char *name;
        const char *body;
        const char *select;
        int extend;
    };
    const Fixture fixtures[] = {
        {"plain paragraphs", "<p>one two</p>\n<p>three</p>", "", 0},
        {"some styled already", "<p>a <b>b</b> <i>c</i> <u>d</u> e</p>", "", 0},
        {"strong and em", "<p>a <strong>b</strong> <em>c</em> d</p>", "", 0},
        {"link", "<p>a <a href=\"x.htm\">link</a> b</p>", "", 0},
        {"starts in a link", "<p><a href=\"x.htm\">link</a> b</p>", "", 0},
        {"heading and paragraph", "<h2>Head</h2>\n<p>text</p>", "", 0},
        {"table with header",
         "<table><tr><th>H</th><th>K</th></tr><tr><td>1</td><td>x <i>y</i>"
         "</td></tr></table>",
         "", 0},
        {"all styled", "<p><b><i><u>a</u></i></b></p><p><b><i><u>b</u></i></b></p>", "", 0},
        {"styled element with attributes", "<p><b class=\"k\">a</b> <i id=\"j\">c</i> d</p>", "",
         0},
        {"inline style", "<p><span style=\"font-weight: bold; color: red\">a</span> b</p>", "", 0},
        {"line break", "<p>a<br>b</p>", "", 0},
        {"list", "<ul><li>one</li><li>two <b>x</b></li></ul>", "", 0},
        {"leading space", "<p> <i>x</i> y</p>", "", 0},
        {"chain of only children",
         "<p><i><span class=\"k\"><font color=\"#00ff00\">x</font>"
         "</span></i></p><p><span class=\"m\">y <i>z</i></span></p>",
         "", 0},
        {"part of a paragraph", "<p>one two three</p>", "two", 0},
        {"across paragraphs", "<p>one two</p><p>three four</p>", "two", 4},
    };
    const Fixture fontFixtures[] = {
        {"font with another value",
         "<p><font color=\"#00ff00\" face=\"Courier New\" size=\"2\">"
         "x</font> y</p>",
         "", 0},
        {"font that starts the run", "<p><font color=\"#00ff00\">x</font></p><p>z</p>", "", 0},
        {"styled span",
         "<p><span style=\"color: blue; font-family: Courier; font-size: 20px\">"
         "a</span> b</p>",
         "", 0},
        {"value there already",
         "<p><font face=\"Arial\" size=\"5\" color=\"#ff0000\">a</font>"
         " b</p>",
         "", 0},
    };
    struct Command
    {
        int id;
        const char *name;
        QVariant input;
    };
    for (const Command &c :
         {Command{EngineId::Bold, "bold", {}}, Command{EngineId::Italic, "italic", {}},
          Command{EngineId::Underline, "underline", {}},
          Command{EngineId::FontName, "font name", QStringLiteral("Arial")},
          Command{EngineId::FontSize, "font size", 5},
          Command{EngineId::FontColor, "font colour", 0x0000ff}}) {
        for (const Fixture &fixture : fixtures)
            QTest::addRow("%s: %s", c.name, fixture.name)
                << c.id << c.input << QByteArray(fixture.body) << QString::fromUtf8(fixture.select)
                << fixture.extend;
        if (c.id != EngineId::FontName && c.id != EngineId::FontSize && c.id != EngineId::FontColor)
            continue;
        for (const Fixture &fixture : fontFixtures)
            QTest::addRow("%s: %s", c.name, fixture.name)
                << c.id << c.input << QByteArray(fixture.body) << QString::fromUtf8(fixture.select)
                << fixture.extend;
    }
}

void tst_CEditEngineFormatting::ownPassWritesWhatTheCommandWrites()
{
    QFETCH(int, id);
    QFETCH(QVariant, input);
    QFETCH(QByteArray, body);
    QFETCH(QString, select);
    QFETCH(int, extend);
    int nativePasses = -1, ownPasses = -1;
    const QString native = formatted(body, select, extend, id, input,
                                     CEditEngine::FormattingPass::Native, &nativePasses);
    const QString own =
        formatted(body, select, extend, id, input, CEditEngine::FormattingPass::Own, &ownPasses);
    QCOMPARE(nativePasses, 0);
    QCOMPARE(ownPasses, 1);
    QCOMPARE(own, native);
    QVERIFY(!native.contains(QLatin1String("style=\"\"")));
}

// 1,000 paragraphs (with bold and italic words and a link each) and a table of 3,000 rows, as
// benchmarks/make_large_pages.py writes them.
static QByteArray LargePage()
{
    QByteArray page = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Large page"
                      "</title></head><body>\n<h2>Section 1</h2>\n";
    for (int i = 0; i < 1000; ++i)
        page += "<p>Paragraph " + QByteArray::number(i) +
                " of the report, with some <b>bold</b> words, an <i>emphasis</i> and <a "
                "href=\"page" +
                QByteArray::number(i % 50) +
                ".htm\">a link</a> to the next part of the page.</p>\n";
    page +=
        "<table border=\"1\">\n<tr><th>No.</th><th>Name</th><th>Value</th><th>Group</th></tr>\n";
    for (int i = 0; i < 3000; ++i)
        page += "<tr><td>" + QByteArray::number(i) + "</td><td>Item " + QByteArray::number(i) +
                "</td><td>" + QByteArray::number(i * 7 % 1000) + "</td><td>Group " +
                QByteArray::number(i % 12) + "</td></tr>\n";
    return page + "</table>\n<p>END MARK</p>\n</body></html>\n";
}

void tst_CEditEngineFormatting::largePage_data()
{
    QTest::addColumn<int>("id");
    QTest::newRow("bold") << int(EngineId::Bold);
    QTest::newRow("italic") << int(EngineId::Italic);
    QTest::newRow("underline") << int(EngineId::Underline);
}

// The whole page formatted on the automatic path: the own pass runs, shows its progress, the
// text is latched, one undo step gives back the page byte for byte with the mixed state.
void tst_CEditEngineFormatting::largePage()
{
    QFETCH(int, id);
    EngineFixture f;
    QVERIFY(f.load(page(LargePage())));
    const QByteArray original = f.serialize();
    f.exec(EngineId::SelectAll);
    const int before = f.engine->QueryEngineCommand(id);
    QCOMPARE(before & (EngineFlag::Latched | EngineFlag::Indeterminate),
             int(EngineFlag::Indeterminate));

    QSignalSpy progress(f.engine.get(), &CEditEngine::progressText);
    QVERIFY(f.exec(id));
    QCOMPARE(Passes(f, CEditEngine::FormattingPass::Automatic), 1);
    const int after = f.engine->QueryEngineCommand(id);
    QCOMPARE(after & (EngineFlag::Latched | EngineFlag::Indeterminate), int(EngineFlag::Latched));
    QVERIFY(f.engine->IsModified());
    QVERIFY(progress.count() >= 2);
    QCOMPARE(progress.first().first().toString(), QStringLiteral("Formatting 0%"));
    QCOMPARE(progress.last().first().toString(), QStringLiteral("Done"));
    QVERIFY(!QGuiApplication::overrideCursor());
    const QString tag = id == EngineId::Bold ? "b" : id == EngineId::Italic ? "i" : "u";
    const QString body = f.body();
    QVERIFY(body.contains("<p><" + tag + ">Paragraph 999 of the report"));
    QVERIFY(body.contains("<td><" + tag + ">Item 2999</" + tag + "></td>"));

    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.serialize(), original);
    QVERIFY(!f.engine->IsModified());
    QCOMPARE(f.engine->QueryEngineCommand(id) & (EngineFlag::Latched | EngineFlag::Indeterminate),
             int(EngineFlag::Indeterminate));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Redo) & EngineFlag::Enabled);
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Undo) & EngineFlag::Enabled));
}

// The command a second time takes the style off again: nothing left latched, headings and
// header cells are set back to normal weight, and the page still types.
void tst_CEditEngineFormatting::largePageTogglesOff()
{
    EngineFixture f;
    QVERIFY(f.load(page(LargePage())));
    f.exec(EngineId::SelectAll);
    QVERIFY(f.exec(EngineId::Bold));
    QVERIFY(f.exec(EngineId::Bold));
    QCOMPARE(Passes(f, CEditEngine::FormattingPass::Automatic), 2);
    QCOMPARE(f.engine->QueryEngineCommand(EngineId::Bold) &
                 (EngineFlag::Latched | EngineFlag::Indeterminate),
             0);
    const QString body = f.body();
    QVERIFY(!body.contains(QLatin1String("<b>")));
    QVERIFY(
        body.contains(QLatin1String("<th><span style=\"font-weight: normal;\">No.</span></th>")));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.engine->QueryEngineCommand(EngineId::Bold) &
                 (EngineFlag::Latched | EngineFlag::Indeterminate),
             int(EngineFlag::Latched));
}

// The pass replaces the nodes it changes by copies; undoing it puts the very nodes back, so the
// steps before it still undo, and redo brings the formatted copies back.
// Chromium's own command on a large selection (centring 2,400 paragraphs): the host hears that
// the page is busy before the command and that it is done after it; a small selection says
// nothing.
void tst_CEditEngineFormatting::nativeCommandOnLargeSelectionSaysItIsBusy()
{
    QByteArray html = "<html><body>\n";
    for (int i = 0; i < 2400; ++i)
        html += "<p>Line " + QByteArray::number(i) + "</p>\n";
    html += "</body></html>\n";
    EngineFixture f;
    QVERIFY(f.load(page(html)));
    QVERIFY(f.select(QStringLiteral("Line 7")));
    QSignalSpy progress(f.engine.get(), &CEditEngine::progressText);
    QVERIFY(f.exec(EngineId::Center));
    QCOMPARE(progress.count(), 0);

    f.exec(EngineId::SelectAll);
    QVERIFY(f.exec(EngineId::Center));
    QCOMPARE(progress.count(), 2);
    QCOMPARE(progress.first().first().toString(), QStringLiteral("Formatting..."));
    QCOMPARE(progress.last().first().toString(), QStringLiteral("Done"));
    QVERIFY(!QGuiApplication::overrideCursor());
    QVERIFY(f.body().contains("Line 2399"));
}

void tst_CEditEngineFormatting::largePageKeepsTheOlderHistory()
{
    EngineFixture f;
    QVERIFY(f.load(page(LargePage())));
    const QByteArray original = f.serialize();
    QVERIFY(f.select(QStringLiteral("Item 17")));
    f.key(Qt::Key_Right);
    f.type(QStringLiteral("X"));
    const QByteArray typed = f.serialize();
    QVERIFY(typed.contains("<td>Item 17X</td>"));
    f.exec(EngineId::SelectAll);
    QVERIFY(f.exec(EngineId::Italic));
    QCOMPARE(Passes(f, CEditEngine::FormattingPass::Automatic), 1);
    const QByteArray formatted = f.serialize();
    QVERIFY(formatted.contains("<td><i>Item 17X</i></td>"));

    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.serialize(), typed);
    QVERIFY(f.exec(EngineId::Redo));
    QCOMPARE(f.serialize(), formatted);
    QCOMPARE(f.engine->QueryEngineCommand(EngineId::Italic) & EngineFlag::Latched,
             int(EngineFlag::Latched));
    QVERIFY(f.exec(EngineId::Undo));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.serialize(), original);
    QVERIFY(!f.engine->IsModified());
}

void tst_CEditEngineFormatting::ownPassSavesLikeTheCommand_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QByteArray>("page");
    const QByteArray legacy = "<HTML><BODY BGCOLOR=white>\n<P ALIGN=center>Caf&eacute; <B>two</B>"
                              "\n<P>three&nbsp;four <A HREF=x.htm>link</A>\n</BODY></HTML>\n";
    const QByteArray untouched = "<html><body>\n<p>one</p>\n<!-- note -->\n<IMG SRC='a.gif' "
                                 "ALT=pic>\n<TABLE BORDER=1><TR><TD>cell &amp; more</TABLE>\n"
                                 "<p>two</p>\n</body></html>\n";
    QTest::newRow("bold, legacy markup") << int(EngineId::Bold) << QVariant() << legacy;
    QTest::newRow("underline, untouched nodes")
        << int(EngineId::Underline) << QVariant() << untouched;
    QTest::newRow("font colour, legacy markup")
        << int(EngineId::FontColor) << QVariant(0x00ff00) << legacy;
}

// On a page saved with its source formatting kept, the pass's page saves byte for byte as the
// command's does (what the pass did not change is written as it was read), and its undo gives
// the file back as read.
void tst_CEditEngineFormatting::ownPassSavesLikeTheCommand()
{
    QFETCH(int, id);
    QFETCH(QVariant, input);
    QFETCH(QByteArray, page);
    const QString path = this->page(page);
    const QString target = m_dir->filePath(QStringLiteral("saved.htm"));
    QByteArray saved[2];
    for (const bool own : {false, true}) {
        EngineFixture f;
        QVERIFY(f.load(path, false, EngineFilter::SourceFormatting));
        Passes(f, own ? CEditEngine::FormattingPass::Own : CEditEngine::FormattingPass::Native);
        f.exec(EngineId::SelectAll);
        QVERIFY(f.exec(id, input));
        QCOMPARE(Passes(f, CEditEngine::FormattingPass::Automatic), own ? 1 : 0);
        QVERIFY(f.save(target));
        saved[own] = ReadAll(target);
        QVERIFY(saved[own] != page);
        if (own) {
            QVERIFY(f.exec(EngineId::Undo));
            QVERIFY(f.save(target));
            QCOMPARE(ReadAll(target), page);
        }
    }
    QCOMPARE(saved[1], saved[0]);
}

// Ctrl+B on a large selection runs the command (one undo step), not Chromium's own binding.
void tst_CEditEngineFormatting::shortcutTakesTheCommandPath()
{
    EngineFixture f;
    QVERIFY(f.load(page(LargePage())));
    const QByteArray original = f.serialize();
    f.exec(EngineId::SelectAll);
    f.key(Qt::Key_B, Qt::ControlModifier);
    QCOMPARE(Passes(f, CEditEngine::FormattingPass::Automatic), 1);
    QCOMPARE(f.engine->QueryEngineCommand(EngineId::Bold) & EngineFlag::Latched,
             int(EngineFlag::Latched));
    f.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(f.serialize(), original);
}

PELION_ENGINE_TEST_MAIN(tst_CEditEngineFormatting)
#include "tst_CEditEngineFormatting.moc"
