// Saving a changed page with source formatting kept: every byte outside the edit as it was read,
// the edit written minimally, and the saved page parsing to the document the engine holds.
#include "EngineTestSupport.h"
#include "support/DomDigest.h"

#include <QWebEngineView>

namespace {

const int kKeepSource = EngineFilter::SourceFormatting;

// Legacy markup: upper-case names, unquoted values, omitted end tags, entities, a table with an
// implied tbody.
const QByteArray kLegacy = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\n"
                           "<HTML>\n<HEAD>\n<TITLE>Caf&eacute; page</TITLE>\n</HEAD>\n"
                           "<BODY BGCOLOR=white TEXT=\"#000000\">\n"
                           "<P ALIGN=center>Hello world foo\n"
                           "<P>Second &amp; last&nbsp;line\n"
                           "<TABLE BORDER=1>\n<TR><TD>ant<TD>bee\n<TR><TD>cow<TD>dog\n</TABLE>\n"
                           "<UL><LI>one<LI>two</UL>\n"
                           "</BODY>\n</HTML>\n";

QByteArray Replaced(QByteArray bytes, const QByteArray &from, const QByteArray &to)
{
    const qsizetype at = bytes.indexOf(from);
    return at < 0 ? QByteArray("(fixture text not found)") : bytes.replace(at, from.size(), to);
}

enum class Edit { Type, Bold, InsertRow, BodyColor, Title };

} // namespace

Q_DECLARE_METATYPE(Edit)

class tst_CEditEngineSave : public EngineTestCase
{
    Q_OBJECT

private slots:
    void editIsWrittenMinimally_data();
    void editIsWrittenMinimally();
    void undoGivesTheOriginalBytesBack();
    void misnestedMarkupIsRewrittenInItsElement();
    void optionOffWritesStandardMarkup();
    void domCheckCatchesBrokenOutput_data();
    void domCheckCatchesBrokenOutput();

private:
    void apply(EngineFixture &f, Edit edit, const QString &target, const QVariant &value);
    QByteArray saved(EngineFixture &f);
    void verifySameDocument(EngineFixture &f, const QByteArray &bytes);
};

void tst_CEditEngineSave::apply(EngineFixture &f, Edit edit, const QString &target,
                                const QVariant &value)
{
    switch (edit) {
    case Edit::Type:
        QVERIFY(f.select(target));
        f.key(Qt::Key_Right);
        f.type(value.toString());
        break;
    case Edit::Bold:
        QVERIFY(f.select(target));
        QVERIFY(f.exec(EngineId::Bold));
        break;
    case Edit::InsertRow:
        QVERIFY(f.select(target));
        QVERIFY(f.exec(EngineId::InsertRow));
        break;
    case Edit::BodyColor:
        QVERIFY(f.engine->SetBodyAttribute(CEditEngine::BodyAttribute::BgColor, value));
        f.idle();
        break;
    case Edit::Title:
        f.engine->SetTitle(value.toString());
        f.idle();
        break;
    }
}

QByteArray tst_CEditEngineSave::saved(EngineFixture &f)
{
    const QString target = m_dir->filePath(QStringLiteral("saved.htm"));
    if (!f.save(target))
        return {};
    return ReadAll(target);
}

// A browser's parse of the saved bytes gives the document the engine holds.
void tst_CEditEngineSave::verifySameDocument(EngineFixture &f, const QByteArray &bytes)
{
    domdigest::Parser parser;
    const QString fromFile = parser.Digest(bytes);
    const QString inEngine = domdigest::OfView(f.engine->findChild<QWebEngineView *>());
    QVERIFY(!inEngine.isEmpty());
    QVERIFY2(fromFile == inEngine, qPrintable(domdigest::FirstDifference(fromFile, inEngine)));
}

void tst_CEditEngineSave::editIsWrittenMinimally_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QByteArray>("expected");

    // (Typing next to white space lets the editor rebalance it; the targets avoid that.)
    QTest::newRow("typing") << kLegacy << Edit::Type << "wor" << QVariant("x")
                            << Replaced(kLegacy, "world foo", "worxld foo");
    QTest::newRow("typing next to a reference")
        << kLegacy << Edit::Type << "Sec" << QVariant("x")
        << Replaced(kLegacy, "Second &amp; last&nbsp;line", "Secxond &amp; last&nbsp;line");
    QTest::newRow("bold") << kLegacy << Edit::Bold << "world" << QVariant()
                          << Replaced(kLegacy, "Hello world foo", "Hello <b>world</b> foo");
    QTest::newRow("row") << kLegacy << Edit::InsertRow << "cow" << QVariant()
                         << Replaced(kLegacy, "bee\n<TR>", "bee\n<tr><td></td><td></td></tr><TR>");
    QTest::newRow("attribute") << kLegacy << Edit::BodyColor << QString() << QVariant(0x0000FF)
                               << Replaced(kLegacy, "BGCOLOR=white", "BGCOLOR=#0000ff");
    QTest::newRow("title") << kLegacy << Edit::Title << QString() << QVariant("Menu & more")
                           << Replaced(kLegacy, "Caf&eacute; page", "Menu &amp; more");
    const QByteArray crlf = QByteArray(kLegacy).replace("\n", "\r\n");
    QTest::newRow("typing, CR LF page") << crlf << Edit::Type << "wor" << QVariant("x")
                                        << Replaced(crlf, "world foo\r\n", "worxld foo\r\n");
    const QByteArray xhtml =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
        "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>X</title>"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" /></head>\n"
        "<body>\n<p class='a'>Some <em>short</em> text<br /></p>\n"
        "<table><tbody><tr><td>c</td></tr></tbody></table>\n</body></html>\n";
    QTest::newRow("xhtml bold") << xhtml << Edit::Bold << "Some" << QVariant()
                                << Replaced(xhtml, "'a'>Some <em>", "'a'><b>Some</b> <em>");
    QTest::newRow("xhtml row") << xhtml << Edit::InsertRow << "c" << QVariant()
                               << Replaced(xhtml, "<tbody><tr>", "<tbody><tr><td></td></tr><tr>");
    // A server block read as a comment up to its first ">", then text with tags the parser
    // drops (rows outside a table); the white space after </body> ends the body's text.
    const QByteArray dropped = "<!DOCTYPE html>\n<html>\n<body>\n<h2>T</h2>\n"
                               "<?php print \"<table>\"; echo \"<tr>\"; $i<5; ?>\n"
                               "</body>\n</html>\n";
    QTest::newRow("bold next to dropped tags")
        << dropped << Edit::Bold << "echo" << QVariant()
        << Replaced(dropped, "; echo \"<tr>", "; <b>echo</b> \"<tr>");
    QTest::newRow("typing next to dropped tags")
        << dropped << Edit::Type << "$i" << QVariant("x")
        << Replaced(dropped, "$i<5", "$ix<5");
    // Nested tables, a cell with more open formatting elements than the parser keeps a record
    // of, and a paragraph closed by the cell's end.
    const QByteArray cell = "<html><body>\n<table><tr><td><table>\n"
                            "<tr><td><big><big><big><big>Faey Keelson</big></big></big></big>"
                            "<p><big><big><big>Thane</big></big></big></td>\n"
                            "<td>x</td></tr></table></td></tr></table>\n</body></html>\n";
    // An element the parser took out of a table and put before it: unchanged, it keeps its
    // source together with the table's; changed, it is written where the document has it, and
    // the table without it (the rest of the table's source as it stood).
    const QByteArray fostered = "<html><body>\n<p>one</p>\n<table><b>bold</b>"
                                "<tr><td>cell</td></tr></table>\n<p>para word</p>\n"
                                "</body></html>\n";
    const QByteArray moved = Replaced(fostered, "<table><b>bold</b>", "<b>bold</b><table>");
    QTest::newRow("typing after an element taken out of a table")
        << fostered << Edit::Type << "par" << QVariant("x")
        << Replaced(fostered, "para word", "parxa word");
    QTest::newRow("typing in an element taken out of a table")
        << fostered << Edit::Type << "bol" << QVariant("x")
        << Replaced(moved, "<b>bold</b>", "<b>bolxd</b>");
    // Formatting elements closed out of order after a table that changes: the parser's clones
    // keep their source as a whole, which piece by piece would not parse back.
    const QByteArray misnested = "<html><body><table><tr><td><blockquote>\n"
                                 "<table><tr><td>cell word</td></tr></table>\n"
                                 "<a href=\"d.htm\"><big><big><p>D</big></big>efender!</a><br>\n"
                                 "<a href=\"w.htm\"><big>W</big>arrior</a></p>\n<p>end</p>\n"
                                 "</blockquote></td></tr></table></body></html>\n";
    QTest::newRow("bold before misnested formatting")
        << misnested << Edit::Bold << "word" << QVariant()
        << Replaced(misnested, "cell word", "cell <b>word</b>");
    // Text before <html> (a server directive the open does not take apart): the parser makes
    // html, head and body there, and the tags that follow only add their attributes.
    const QByteArray early = "<!DOCTYPE HTML>\n<%@ page import=\"x\" %>\n\n<html>\n<head>\n"
                             "<meta charset=\"utf-8\">\n<title>Old</title>\n</head>\n"
                             "<body bgcolor=white>\n<p>para word</p>\n</body>\n</html>\n";
    QTest::newRow("typing, text before <html>")
        << early << Edit::Type << "par" << QVariant("x")
        << Replaced(early, "para word", "parxa word");
    QTest::newRow("title, text before <html>")
        << early << Edit::Title << QString() << QVariant("New")
        << Replaced(early, "<title>Old", "<title>New");
    QTest::newRow("bold in a nested cell")
        << cell << Edit::Bold << "Faey" << QVariant()
        << Replaced(cell, "<big>Faey Keelson", "<big><b>Faey</b> Keelson");
}

void tst_CEditEngineSave::editIsWrittenMinimally()
{
    QFETCH(QByteArray, page);
    QFETCH(Edit, edit);
    QFETCH(QString, target);
    QFETCH(QVariant, value);
    QFETCH(QByteArray, expected);
    EngineFixture f;
    QVERIFY(f.load(this->page(page), false, kKeepSource));
    apply(f, edit, target, value);
    const QByteArray bytes = saved(f);
    QCOMPARE(bytes, expected);
    verifySameDocument(f, bytes);
}

// Saved with a change, then undone and saved again: the file is the original once more.
void tst_CEditEngineSave::undoGivesTheOriginalBytesBack()
{
    EngineFixture f;
    QVERIFY(f.load(page(kLegacy), false, kKeepSource));
    QVERIFY(f.select("world"));
    QVERIFY(f.exec(EngineId::Bold));
    f.key(Qt::Key_Right);
    f.type("s");
    QVERIFY(saved(f) != kLegacy);
    QVERIFY(f.exec(EngineId::Undo));
    QVERIFY(f.exec(EngineId::Undo));
    QVERIFY(f.engine->IsModified());
    QCOMPARE(saved(f), kLegacy);
}

// Markup the parser rearranged (formatting elements closed out of order): the edited paragraph
// cannot be written as its source with the change, so it is written whole in the standard
// syntax; the rest of the page, the other misnested paragraph included, stays as read.
void tst_CEditEngineSave::misnestedMarkupIsRewrittenInItsElement()
{
    const QByteArray page = "<HTML><BODY>\n<P>one <B>two <I>three</B> four</I> five\n"
                            "<P>other <B>x <I>y</B> z</I> end\n<P>last\n</BODY></HTML>\n";
    EngineFixture f;
    QVERIFY(f.load(this->page(page), false, kKeepSource));
    QVERIFY(f.select("five"));
    f.key(Qt::Key_Right);
    f.type("X");
    const QByteArray bytes = saved(f);
    const qsizetype start = page.indexOf("<P>one");
    const qsizetype end = page.indexOf("<P>other");
    QVERIFY2(bytes.startsWith(page.left(start)) && bytes.endsWith(page.mid(end)),
             bytes.constData());
    const QByteArray paragraph = bytes.mid(start, bytes.size() - (page.size() - end) - start);
    QCOMPARE(paragraph, QByteArray("<p>one <b>two <i>three</i></b><i> four</i> fiveX</p>"));
    verifySameDocument(f, bytes);
}

// With the option off, a changed page is written in the standard syntax, as before.
void tst_CEditEngineSave::optionOffWritesStandardMarkup()
{
    const QByteArray page = "<HTML><HEAD><TITLE>T</TITLE></HEAD>\n<BODY BGCOLOR=white>\n"
                            "<P ALIGN=center>Hi &eacute;\n</BODY></HTML>\n";
    EngineFixture f;
    QVERIFY(f.load(this->page(page), false, EngineFilter::None));
    QVERIFY(f.select("Hi"));
    f.key(Qt::Key_Right);
    f.type("x");
    QCOMPARE(saved(f), QByteArray("<html><head><title>T</title></head>\n<body bgcolor=\"white\">\n"
                                  "<p align=\"center\">Hix \xe9\n\n</p></body></html>\n"));
}

void tst_CEditEngineSave::domCheckCatchesBrokenOutput_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::newRow("nothing broken") << QByteArray() << QByteArray();
    QTest::newRow("changed text written as it stood") << QByteArray("foxo") << QByteArray("foo");
    QTest::newRow("new end tag left out") << QByteArray("world</b>") << QByteArray("world");
    QTest::newRow("new row left out") << QByteArray("<tr><td></td><td></td></tr>") << QByteArray();
    QTest::newRow("changed attribute as it stood")
        << QByteArray("BGCOLOR=#0000ff") << QByteArray("BGCOLOR=white");
    QTest::newRow("omitted end tag that now matters")
        << QByteArray("foxo\n") << QByteArray("foxo\n<i>");
}

// The comparison of a browser's parse with the engine's document notices a writer that loses
// or breaks any of the edits.
void tst_CEditEngineSave::domCheckCatchesBrokenOutput()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    EngineFixture f;
    QVERIFY(f.load(page(kLegacy), false, kKeepSource));
    apply(f, Edit::Bold, QStringLiteral("world"), {});
    apply(f, Edit::Type, QStringLiteral("fo"), QStringLiteral("x"));
    apply(f, Edit::InsertRow, QStringLiteral("cow"), {});
    apply(f, Edit::BodyColor, {}, 0x0000FF);
    QByteArray bytes = saved(f);
    QVERIFY(!bytes.isEmpty());
    if (!from.isEmpty()) {
        QVERIFY2(bytes.contains(from), bytes.constData());
        bytes.replace(from, to);
    }
    domdigest::Parser parser;
    const QString inEngine = domdigest::OfView(f.engine->findChild<QWebEngineView *>());
    QCOMPARE(parser.Digest(bytes) == inEngine, from.isEmpty());
}

PELION_ENGINE_TEST_MAIN(tst_CEditEngineSave)
#include "tst_CEditEngineSave.moc"
