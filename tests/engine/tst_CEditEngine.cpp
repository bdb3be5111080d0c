#include "EngineTestSupport.h"

#include <QClipboard>
#include <QMimeData>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// A local HTTP server answering from a table of paths; a path it does not know gets a 404, and
// a path in stalled gets no answer at all until release() or the server goes.
class TestHttpServer : public QTcpServer
{
public:
    struct Reply
    {
        QByteArray head; // status line and headers, without the body's length
        QByteArray body;
    };
    QHash<QByteArray, Reply> replies;
    QSet<QByteArray> stalled;
    int stalledRequests = 0;

    TestHttpServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

    // Answers the stalled requests (404) and stalls no more.
    void release()
    {
        stalled.clear();
        for (const QPointer<QTcpSocket> &socket : std::as_const(m_waiting)) {
            if (socket)
                reply(socket, {"HTTP/1.1 404 Not Found", {}});
        }
        m_waiting.clear();
    }

private:
    void answer(QTcpSocket *socket)
    {
        const QByteArray request = socket->readAll();
        const QByteArray path = request.mid(4, request.indexOf(' ', 4) - 4);
        if (!request.startsWith("GET ") || stalled.contains(path)) {
            ++stalledRequests;
            m_waiting << socket;
            return;
        }
        const auto it = replies.constFind(path);
        reply(socket, it != replies.constEnd() ? *it : Reply{"HTTP/1.1 404 Not Found", {}});
    }

    static void reply(QTcpSocket *socket, const Reply &reply)
    {
        socket->write(reply.head + "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                      "\r\nConnection: close\r\n\r\n" + reply.body);
        socket->disconnectFromHost();
    }

    QList<QPointer<QTcpSocket>> m_waiting;
};

} // namespace

// The editing component through its C++ interface: load and save, commands and their flags,
// undo, the selection model and the page model.
class tst_CEditEngine : public EngineTestCase
{
    Q_OBJECT

private slots:
    void loadReportsTitleAndState();
    void loadFailures();
    void pageScriptsDoNotRun();

    void unchangedSaveIsByteIdentical_data();
    void unchangedSaveIsByteIdentical();
    void changedSaveUsesPageCharset_data();
    void changedSaveUsesPageCharset();
    void saveWithoutFileFails();
    void savedPageHasNoArtefacts();

    void commands_data();
    void commands();
    void mixedSelectionIsIndeterminate();
    void commandValues();
    void pasteFollowsClipboard();

    void undoRedoMixedSequence();
    void typingBurstIsOneStep();

    void objectSelection();
    void insertHtmlAtSelection();
    void insertHtmlInParentElement();
    void imageNames();
    void manyImageNamesArriveWithTheLoad();
    void bodyAttributesAndTitle();

    void editableBeforeImagesArrive();
    void largePageLoadsAndSaves();
    void httpPageLoadsAndSavesAs();
};

void tst_CEditEngine::loadReportsTitleAndState()
{
    EngineFixture f;
    QSignalSpy titles(f.engine.get(), &CEditEngine::titleChanged);
    QSignalSpy progress(f.engine.get(), &CEditEngine::progressText);
    QSignalSpy updates(f.engine.get(), &CEditEngine::updateCommands);
    QVERIFY(f.load(DataFile("cp1252.htm")));
    QCOMPARE(titles.count(), 1);
    QCOMPARE(titles.first().first().toString(), QString::fromUtf8("Café page"));
    QVERIFY(progress.count() >= 1);
    QVERIFY(updates.count() >= 1);
    QVERIFY(f.engine->IsLoaded());
    QVERIFY(!f.engine->IsModified());
    QCOMPARE(f.engine->CurrentPath(), QFileInfo(DataFile("cp1252.htm")).absoluteFilePath());
    // The caret starts in the body, so text can be inserted straight away.
    QCOMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Text);
    {
        // The caret starts where typing goes, in the first text (the format bar shows its
        // heading, not the body), and keys sent the moment the load is reported, with no call
        // before them, land there.
        EngineFixture g;
        QVERIFY(g.load(page(Simple("\n  <script>var a;</script><h1> first</h1><p>second</p>"),
                            QStringLiteral("keys.htm"))));
        QVariant format;
        QVERIFY(g.engine->ExecEngineCommand(EngineId::BlockFormat, {}, &format));
        QCOMPARE(format.toString(), QStringLiteral("Heading 1"));
        g.input()->setFocus();
        QTest::keyClick(g.input(), 'x');
        QTest::keyClick(g.input(), 'y');
        QTRY_VERIFY_WITH_TIMEOUT(g.inputsReceived() >= 2, 30000);
        g.idle();
        QCOMPARE(g.body(),
                 QStringLiteral("\n  <script>var a;</script><h1>xyfirst</h1><p>second</p>"));
    }

    // Reload reports the title again; a blank page reports an empty one.
    QVERIFY(f.load(DataFile("cp1252.htm")));
    QCOMPARE(titles.count(), 2);
    QVERIFY(f.load(QString()));
    QCOMPARE(titles.count(), 3);
    QCOMPARE(titles.last().first().toString(), QString());
    QVERIFY(f.engine->CurrentPath().isEmpty());
    QCOMPARE(f.body(), QString());
}

void tst_CEditEngine::loadFailures()
{
    EngineFixture f;
    QVERIFY(!f.engine->Load(m_dir->filePath("missing.htm")));
    QVERIFY(!f.engine->Load(m_dir->path())); // a folder is not a page
    QVERIFY(!f.engine->Load(QStringLiteral("file://") + m_dir->filePath("missing.htm")));
    QVERIFY(!f.engine->IsLoaded());
    QCOMPARE(f.engine->QueryEngineCommand(EngineId::Bold), 0);
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::Bold));
    QVERIFY(!f.engine->InsertHtmlAtSelection("<b>x</b>"));

    // A file: URL loads as a URL and still saves byte for byte.
    const QByteArray bytes = Simple("<P>upper case kept</P>\r\n");
    const QString path = page(bytes);
    QVERIFY(f.load(QUrl::fromLocalFile(path).toString()));
    QCOMPARE(f.engine->CurrentPath(), path);
    QVERIFY(f.save(m_dir->filePath("copy.htm")));
    QCOMPARE(ReadAll(m_dir->filePath("copy.htm")), bytes);
}

void tst_CEditEngine::pageScriptsDoNotRun()
{
    EngineFixture f;
    const QString path = page(Simple("<p id=p>static</p><a href=\"other.htm\" id=a>link</a>"
                                     "<script>document.title='ran';"
                                     "document.getElementById('p').textContent='changed';</script>",
                                     "<meta http-equiv=\"refresh\" content=\"0; url=other.htm\">"));
    page(Simple("<p>other page</p>"), QStringLiteral("other.htm"));
    LoadRecorder loads(f.webPage());
    QVERIFY(f.load(path));
    // The refresh starts its navigation, which is refused.
    const QUrl other = QUrl::fromLocalFile(m_dir->filePath("other.htm"));
    QTRY_VERIFY_WITH_TIMEOUT(loads.ended.contains(other), 30000);
    QCOMPARE(f.engine->GetTitle(), QStringLiteral("T"));
    QVERIFY(f.body().contains("static"));
    QVERIFY(f.select("link"));
    f.key(Qt::Key_Return);
    QVERIFY(!f.body().contains("other page"));
}

void tst_CEditEngine::unchangedSaveIsByteIdentical_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<bool>("editAndUndo");
    QTest::newRow("windows-1252, CR LF, doctype, comment") << "cp1252.htm" << false;
    QTest::newRow("UTF-8, public doctype, two comments") << "utf8.htm" << false;
    QTest::newRow("typed and undone is unchanged") << "cp1252.htm" << true;
}

void tst_CEditEngine::unchangedSaveIsByteIdentical()
{
    QFETCH(QString, fixture);
    QFETCH(bool, editAndUndo);
    EngineFixture f;
    const QByteArray original = ReadAll(DataFile(fixture));
    const QString path = page(original);
    QVERIFY(f.load(path));
    if (editAndUndo) {
        QVERIFY(f.select("paragraph"));
        f.type("x");
        QVERIFY(f.engine->IsModified());
        QVERIFY(f.exec(EngineId::Undo));
        QVERIFY(!f.engine->IsModified());
    }
    const QString target = m_dir->filePath("saved.htm");
    QVERIFY(f.save(target));
    QCOMPARE(ReadAll(target), original);
    QCOMPARE(f.engine->CurrentPath(), target);
    QVERIFY(f.save()); // to the current file, now the saved one
    QCOMPARE(ReadAll(target), original);
}

void tst_CEditEngine::changedSaveUsesPageCharset_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("expected"); // in the saved bytes
    QTest::addColumn<QByteArray>("absent");

    QTest::newRow("declared windows-1252")
        << ReadAll(DataFile("cp1252.htm")) << QString::fromUtf8("€ĉ")
        << QByteArray("\x80&#265;First paragraph with caf\xe9") << QByteArray("\xc3\xa9");
    QTest::newRow("undeclared, not UTF-8: windows-1252")
        << Simple("<p>First caf\xe9</p>") << QString::fromUtf8("ü→")
        << QByteArray("\xfc&#8594;First caf\xe9") << QByteArray("\xc3");
    QTest::newRow("undeclared UTF-8")
        << ReadAll(DataFile("utf8.htm")) << QString::fromUtf8("ĉ→")
        << QByteArray("\xc4\x89\xe2\x86\x92\xc3\x84rger \xe2\x82\xac") << QByteArray("&#");
    QTest::newRow("declared ISO-8859-1 is windows-1252")
        << Simple("<p>First caf\xe9</p>", "<meta http-equiv=\"Content-Type\" "
                                          "content=\"text/html; charset=ISO-8859-1\">")
        << QString::fromUtf8("€ž")
        << QByteArray("\x80\x9e"
                      "First caf\xe9")
        << QByteArray();
}

void tst_CEditEngine::changedSaveUsesPageCharset()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, typed);
    QFETCH(QByteArray, expected);
    QFETCH(QByteArray, absent);
    EngineFixture f;
    QVERIFY(f.load(page(bytes)));
    QVERIFY(f.select("First") || f.select(QString::fromUtf8("Ärger")));
    f.key(Qt::Key_Left); // caret before the word
    f.type(typed);
    QVERIFY(f.engine->IsModified());
    const QString target = m_dir->filePath("saved.htm");
    QVERIFY(f.save(target));
    const QByteArray saved = ReadAll(target);
    QVERIFY2(saved.contains(expected), saved.constData());
    if (!absent.isEmpty())
        QVERIFY2(!saved.contains(absent), saved.constData());
    // Clean as soon as the save reports success (a shell closing the page asks nothing more).
    QVERIFY(!f.modifiedWhenSaved);
    QVERIFY(!f.engine->IsModified());
    // Line ends follow the page: CR LF pages keep CR LF everywhere.
    if (bytes.contains("\r\n"))
        QVERIFY(!QString::fromLatin1(saved).contains(QRegularExpression("[^\r]\n")));
    else
        QVERIFY(!saved.contains('\r'));
    // The doctype and the comments outside <html> survive a serialised save.
    if (bytes.startsWith("<!DOCTYPE")) {
        const QByteArray head = bytes.left(bytes.indexOf("<html"));
        QCOMPARE(saved.left(saved.indexOf("<html")), head);
    }
}

void tst_CEditEngine::saveWithoutFileFails()
{
    EngineFixture f;
    QVERIFY(f.load(QString()));
    QVERIFY(!f.save()); // a blank page has no file yet
    const QString target = m_dir->filePath("new.htm");
    QVERIFY(f.save(target));
    QVERIFY(ReadAll(target).contains("<body></body>"));
    QCOMPARE(f.engine->CurrentPath(), target);

    // A failed write leaves the old file as it was and reports failure.
    const QByteArray before = ReadAll(target);
    f.type("changed");
    QVERIFY(f.engine->IsModified());
    QVERIFY(!f.save(m_dir->filePath("no/such/folder/x.htm")));
    QCOMPARE(ReadAll(target), before);
    QVERIFY(f.engine->IsModified());
}

void tst_CEditEngine::savedPageHasNoArtefacts()
{
    EngineFixture f;
    const QByteArray bytes = Simple("<img src=\"a.gif\" width=\"60\" height=\"60\">"
                                    "<p>text to format</p>",
                                    "<style>body{margin:0}img{display:block}</style>");
    QVERIFY(f.load(page(bytes)));
    f.click(QPoint(30, 30));
    QTRY_COMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Control);
    QVERIFY(f.select("format"));
    QVERIFY(f.exec(EngineId::Bold));
    f.click(QPoint(30, 30));
    QTRY_COMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Control);
    const QString target = m_dir->filePath("saved.htm");
    QVERIFY(f.save(target));
    const QByteArray saved = ReadAll(target);
    QCOMPARE(saved, "<html><head><title>T</title><style>body{margin:0}img{display:block}</style>"
                    "</head><body><img src=\"a.gif\" width=\"60\" height=\"60\"><p>text to "
                    "<b>format</b></p></body></html>\n");
}

void tst_CEditEngine::commands_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("select");
    QTest::addColumn<int>("id");
    QTest::addColumn<QVariant>("input");
    QTest::addColumn<QString>("expected"); // the saved body
    QTest::addColumn<int>("flagsAfter");   // of the same command

    const int on = EngineFlag::Supported | EngineFlag::Enabled;
    const int latched = on | EngineFlag::Latched;
    const QByteArray p = "<p>one two</p>";
    QTest::newRow("28 bold") << p << "two" << 28 << QVariant() << "<p>one <b>two</b></p>"
                             << latched;
    QTest::newRow("43 italic") << p << "two" << 43 << QVariant() << "<p>one <i>two</i></p>"
                               << latched;
    QTest::newRow("57 underline") << p << "two" << 57 << QVariant() << "<p>one <u>two</u></p>"
                                  << latched;
    QTest::newRow("28 bold off") << QByteArray("<p>one <b>two</b></p>") << "two" << 28 << QVariant()
                                 << "<p>one two</p>" << on;
    QTest::newRow("27 heading 1") << p << "two" << 27 << QVariant("Heading 1") << "<h1>one two</h1>"
                                  << on;
    QTest::newRow("27 formatted") << p << "two" << 27 << QVariant("Formatted")
                                  << "<pre>one two</pre>" << on;
    QTest::newRow("27 address") << p << "two" << 27 << QVariant("Address")
                                << "<address>one two</address>" << on;
    QTest::newRow("27 normal") << QByteArray("<h2>one two</h2>") << "two" << 27
                               << QVariant("Normal") << "<p>one two</p>" << on;
    QTest::newRow("36 font name") << p << "two" << 36 << QVariant("Courier New")
                                  << "<p>one <font face=\"Courier New\">two</font></p>" << on;
    QTest::newRow("37 font size") << p << "two" << 37 << QVariant(5)
                                  << "<p>one <font size=\"5\">two</font></p>" << on;
    QTest::newRow("38 colour, red low") << p << "two" << 38 << QVariant(0x0000ff)
                                        << "<p>one <font color=\"#ff0000\">two</font></p>" << on;
    QTest::newRow("38 automatic") << QByteArray("<p>one <font color=\"#ff0000\">two</font></p>")
                                  << "two" << 38 << QVariant(-1) << "<p>one two</p>" << on;
    QTest::newRow("44 center") << p << "two" << 44 << QVariant()
                               << "<p style=\"text-align: center;\">one two</p>" << latched;
    QTest::newRow("46 right") << p << "two" << 46 << QVariant()
                              << "<p style=\"text-align: right;\">one two</p>" << latched;
    QTest::newRow("45 left") << QByteArray("<p align=\"right\">one two</p>") << "two" << 45
                             << QVariant()
                             << "<p align=\"right\" style=\"text-align: left;\">one "
                                "two</p>"
                             << latched;
    QTest::newRow("47 numbered") << p << "two" << 47 << QVariant() << "<ol><li>one two</li></ol>"
                                 << latched;
    QTest::newRow("60 bullets") << p << "two" << 60 << QVariant() << "<ul><li>one two</li></ul>"
                                << latched;
    QTest::newRow("42 indent") << p << "two" << 42 << QVariant()
                               << "<blockquote style=\"margin: 0 0 0 40px; border: none; padding: "
                                  "0px;\"><p>one two</p></blockquote>"
                               << on;
    QTest::newRow("48 outdent") << QByteArray("<ul><li>one two</li></ul>") << "two" << 48
                                << QVariant() << "one two" << int(EngineFlag::Supported);
    QTest::newRow("32 delete") << p << "two" << 32 << QVariant() << "<p>one&nbsp;</p>"
                               << int(EngineFlag::Supported);
}

void tst_CEditEngine::commands()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, select);
    QFETCH(int, id);
    QFETCH(QVariant, input);
    QFETCH(QString, expected);
    QFETCH(int, flagsAfter);
    EngineFixture f;
    QVERIFY(f.load(page(Simple(body))));
    const QString before = f.body();
    QVERIFY(f.select(select));
    QVERIFY(f.engine->QueryEngineCommand(id) & EngineFlag::Enabled);
    QVERIFY(f.exec(id, input));
    QCOMPARE(f.body(), expected);
    QCOMPARE(f.engine->QueryEngineCommand(id), flagsAfter);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Undo) & EngineFlag::Enabled);
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), before);
    QVERIFY(f.exec(EngineId::Redo));
    QCOMPARE(f.body(), expected);
}

void tst_CEditEngine::mixedSelectionIsIndeterminate()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>aaa <b>bbb</b> <i>ccc</i> <font face=\"Courier New\">ddd</font>"
                               "</p><p>eee</p>"))));
    QVERIFY(f.select("aaa bbb"));
    const int bold = f.engine->QueryEngineCommand(EngineId::Bold);
    QVERIFY(bold & EngineFlag::Indeterminate);
    QVERIFY(!(bold & EngineFlag::Latched));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Italic) & EngineFlag::Indeterminate));
    QVERIFY(f.select("bbb"));
    QCOMPARE(f.engine->QueryEngineCommand(EngineId::Bold) & 0xC, int(EngineFlag::Latched));
    QVERIFY(f.select("ccc ddd"));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::FontName) & EngineFlag::Indeterminate);
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Italic) & EngineFlag::Indeterminate);
    QVariant name;
    QVERIFY(f.engine->ExecEngineCommand(EngineId::FontName, {}, &name));
    QCOMPARE(name.toString(), QString());
    // Bold over mixed text makes it all bold.
    QVERIFY(f.select("aaa bbb"));
    QVERIFY(f.exec(EngineId::Bold));
    QCOMPARE(f.engine->QueryEngineCommand(EngineId::Bold) & 0xC, int(EngineFlag::Latched));
}

void tst_CEditEngine::commandValues()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<h3>head</h3><p><font face=\"Courier New\" size=\"6\" "
                               "color=\"#00ff80\">styled</font></p><pre>pre</pre>"))));
    QVariant out;
    QVERIFY(f.select("head"));
    QVERIFY(f.engine->ExecEngineCommand(EngineId::BlockFormat, {}, &out));
    QCOMPARE(out.toString(), QStringLiteral("Heading 3"));
    QVERIFY(f.select("styled"));
    QVERIFY(f.engine->ExecEngineCommand(EngineId::FontName, {}, &out));
    QCOMPARE(out.toString(), QStringLiteral("Courier New"));
    QVERIFY(f.engine->ExecEngineCommand(EngineId::FontSize, {}, &out));
    QCOMPARE(out.toInt(), 6);
    QVERIFY(f.engine->ExecEngineCommand(EngineId::FontColor, {}, &out));
    QCOMPARE(out.toInt(), 0x80ff00); // red 0, green 255, blue 128: red in the low byte
    QVERIFY(f.engine->ExecEngineCommand(EngineId::BlockFormat, {}, &out));
    QCOMPARE(out.toString(), QStringLiteral("Normal"));
    QVERIFY(f.select("pre"));
    QVERIFY(f.engine->ExecEngineCommand(EngineId::BlockFormat, {}, &out));
    QCOMPARE(out.toString(), QStringLiteral("Formatted"));
    QVERIFY(f.engine->ExecEngineCommand(EngineId::BlockFormatNames, {}, &out));
    QCOMPARE(out.toStringList(),
             QStringList({"Normal", "Heading 1", "Heading 2", "Heading 3", "Heading 4", "Heading 5",
                          "Heading 6", "Formatted", "Address"}));
    // Invalid input is refused and changes nothing.
    const QString before = f.body();
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::BlockFormat, QStringLiteral("Heading 9")));
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::FontSize, 8));
    QVERIFY(!f.engine->ExecEngineCommand(EngineId::FontName, QString()));
    QVERIFY(!f.engine->ExecEngineCommand(1000));
    QCOMPARE(f.engine->QueryEngineCommand(1000), 0);
    f.idle();
    QCOMPARE(f.body(), before);
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Undo) & EngineFlag::Enabled));
}

void tst_CEditEngine::pasteFollowsClipboard()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>copy me</p><p>target</p>"))));
    QGuiApplication::clipboard()->clear();
    f.idle();
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Paste) & EngineFlag::Enabled));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Copy) & EngineFlag::Enabled)); // caret only
    QVERIFY(f.select("copy me"));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Copy) & EngineFlag::Enabled);
    QVERIFY(f.exec(EngineId::Copy));
    QTRY_VERIFY(QGuiApplication::clipboard()->text().contains("copy me"));
    QVERIFY(f.engine->QueryEngineCommand(EngineId::Paste) & EngineFlag::Enabled);
    QVERIFY(f.select("target"));
    QVERIFY(f.exec(EngineId::Paste));
    QTRY_VERIFY(f.body().contains("<p>copy me</p><p>copy me</p>") ||
                f.body().contains("<p>copy me</p><p>copy me<"));
    QVERIFY(!f.body().contains("target"));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), QStringLiteral("<p>copy me</p><p>target</p>"));
    QVERIFY(f.select("copy"));
    QVERIFY(f.exec(EngineId::Cut));
    QTRY_COMPARE(f.body(), QStringLiteral("<p>&nbsp;me</p><p>target</p>"));
    QTRY_COMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("copy"));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), QStringLiteral("<p>copy me</p><p>target</p>"));
}

void tst_CEditEngine::undoRedoMixedSequence()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>alpha beta</p><p>gamma</p>"))));
    QStringList pages{QString::fromUtf8(f.serialize())};
    QStringList titles{f.engine->GetTitle()};
    auto step = [&] {
        pages << QString::fromUtf8(f.serialize());
        titles << f.engine->GetTitle();
    };
    QVERIFY(f.select("beta"));
    f.key(Qt::Key_Right);
    f.type(" typed");
    step();
    QVERIFY(f.select("gamma"));
    QVERIFY(f.exec(EngineId::Bold));
    step();
    QVERIFY(f.select("alpha"));
    QVERIFY(f.engine->InsertHtmlAtSelection("<img name=\"pic\" src=\"p.gif\">"));
    f.idle();
    step();
    f.engine->SetTitle(QStringLiteral("New title"));
    f.idle();
    step();
    QVERIFY(f.engine->SetBodyAttribute(CEditEngine::BodyAttribute::BgColor, 0x102030));
    f.idle();
    step();
    for (int i = 0; i < pages.size() - 1; ++i)
        QVERIFY2(pages[i] != pages[i + 1], qPrintable(QString::number(i)));
    QCOMPARE(titles.last(), QStringLiteral("New title"));

    // Back to the start, one step at a time, then forward again.
    for (int i = pages.size() - 1; i > 0; --i) {
        QVERIFY(f.exec(EngineId::Undo));
        QCOMPARE(QString::fromUtf8(f.serialize()), pages[i - 1]);
        QCOMPARE(f.engine->GetTitle(), titles[i - 1]);
    }
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Undo) & EngineFlag::Enabled));
    QVERIFY(!f.engine->IsModified());
    for (int i = 1; i < pages.size(); ++i) {
        QVERIFY(f.exec(EngineId::Redo));
        QCOMPARE(QString::fromUtf8(f.serialize()), pages[i]);
    }
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Redo) & EngineFlag::Enabled));

    // Ctrl+Z from the keyboard uses the same history; a new edit after undo drops the redo.
    f.key(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(QString::fromUtf8(f.serialize()), pages[pages.size() - 2]);
    QVERIFY(f.select("gamma"));
    f.type("X");
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Redo) & EngineFlag::Enabled));

    // A load clears the history.
    QVERIFY(f.load(page(Simple("<p>fresh</p>"), QStringLiteral("fresh.htm"))));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Undo) & EngineFlag::Enabled));
    QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Redo) & EngineFlag::Enabled));
}

void tst_CEditEngine::typingBurstIsOneStep()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>start</p>"))));
    QVERIFY(f.select("start"));
    f.key(Qt::Key_End);
    f.type(" one two");
    f.key(Qt::Key_Backspace);
    f.key(Qt::Key_Home); // the caret moves: the next typing is a new step
    f.type("X");
    QCOMPARE(f.body(), QStringLiteral("<p>Xstart one tw</p>"));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), QStringLiteral("<p>start one tw</p>"));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), QStringLiteral("<p>start one two</p>"));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), QStringLiteral("<p>start</p>"));
}

void tst_CEditEngine::objectSelection()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<img src=\"a.gif\" width=\"60\" height=\"60\">"
                               "<input type=\"text\" value=\"v\"><hr><p>text</p>",
                               "<style>body{margin:0}img,input,hr{display:block;margin:0;"
                               "box-sizing:border-box}input{height:20px;width:100px}"
                               "hr{height:10px}</style>"))));
    // Image, form control, horizontal rule: each click selects the element itself.
    const QPoint points[] = {QPoint(30, 30), QPoint(50, 70), QPoint(50, 85)};
    for (const QPoint &at : points) {
        f.click(QPoint(5, 200));
        QTRY_COMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Text);
        f.click(at);
        QTRY_COMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Control);
        QVERIFY(!(f.engine->QueryEngineCommand(EngineId::FontName) & EngineFlag::Enabled));
        QVERIFY(!(f.engine->QueryEngineCommand(EngineId::Bold) & EngineFlag::Enabled));
        QVERIFY(f.engine->QueryEngineCommand(EngineId::Copy) & EngineFlag::Enabled);
    }
    // Insertion is refused on an object selection and changes nothing.
    const QString before = f.body();
    QVERIFY(!f.engine->InsertHtmlAtSelection("<b>no</b>"));
    QVERIFY(!f.engine->InsertHtmlInParentElement("BeforeEnd", "<b>no</b>"));
    f.idle();
    QCOMPARE(f.body(), before);
    // Delete removes the selected object as one step.
    QVERIFY(f.exec(EngineId::Delete));
    QVERIFY(!f.body().contains("<hr>"));
    QCOMPARE(f.engine->GetSelectionType(), CEditEngine::SelectionType::Text);
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), before);
}

void tst_CEditEngine::insertHtmlAtSelection()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>one two three</p>"))));
    // Replaces the selection; markup goes in as given, script calls and all.
    QVERIFY(f.select("two"));
    QVERIFY(f.engine->InsertHtmlAtSelection(
        "<img name=\"n1\" src=\"a.gif\" onclick=\"qxPopup('x', 1)\" style=\"border:0\">"));
    f.idle();
    QCOMPARE(f.body(), QStringLiteral("<p>one <img name=\"n1\" src=\"a.gif\" "
                                      "onclick=\"qxPopup('x', 1)\" style=\"border:0\"> three</p>"));
    // At the caret, which then stands after the insertion.
    QVERIFY(f.select("three"));
    f.key(Qt::Key_Right);
    QVERIFY(f.engine->InsertHtmlAtSelection("<b>X</b>"));
    QVERIFY(f.engine->InsertHtmlAtSelection("<i>Y</i>"));
    f.idle();
    QCOMPARE(f.body(), QStringLiteral("<p>one <img name=\"n1\" src=\"a.gif\" "
                                      "onclick=\"qxPopup('x', 1)\" style=\"border:0\"> "
                                      "three<b>X</b><i>Y</i></p>"));
    QVERIFY(f.exec(EngineId::Undo));
    QVERIFY(f.exec(EngineId::Undo));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.body(), QStringLiteral("<p>one two three</p>"));
}

void tst_CEditEngine::insertHtmlInParentElement()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<div><p>inner <b>bold</b></p></div>"))));
    QVERIFY(f.select("inner"));
    QVERIFY(f.engine->InsertHtmlInParentElement("BeforeEnd", "<script>var a = 1 < 2;</script>"));
    f.idle();
    QCOMPARE(f.body(),
             QStringLiteral("<div><p>inner <b>bold</b><script>var a = 1 < 2;</script></p></div>"));
    QVERIFY(f.select("bold"));
    QVERIFY(f.engine->InsertHtmlInParentElement("afterbegin", "<i>i</i>"));
    QVERIFY(!f.engine->InsertHtmlInParentElement("Inside", "<i>i</i>"));
    f.idle();
    QCOMPARE(f.body(), QStringLiteral("<div><p>inner <b><i>i</i>bold</b><script>var a = 1 < 2;"
                                      "</script></p></div>"));
}

void tst_CEditEngine::imageNames()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<img name=\"first\" src=\"1.gif\"><p><img src=\"2.gif\">"
                               "<img NAME=\"third\" src=\"3.gif\"></p>"))));
    QCOMPARE(f.engine->GetPageImageNames(), QStringList({"first", "", "third"}));
    QVERIFY(!f.select("")); // an empty search is refused
    f.key(Qt::Key_End, Qt::ControlModifier);
    QVERIFY(f.engine->InsertHtmlAtSelection("<img name=\"fourth\" src=\"4.gif\">"));
    f.idle();
    QCOMPARE(f.engine->GetPageImageNames(), QStringList({"first", "", "third", "fourth"}));
    QVERIFY(f.exec(EngineId::Undo));
    QCOMPARE(f.engine->GetPageImageNames(), QStringList({"first", "", "third"}));
}

// The state travels as one console line: a page with many named images must reach the host whole,
// right with the load (no call in between).
void tst_CEditEngine::manyImageNamesArriveWithTheLoad()
{
    QByteArray body;
    QStringList expected;
    for (int i = 0; i < 20000; ++i) {
        const QByteArray name = "image" + QByteArray::number(i) + "\xc3\xa9";
        body += "<img name=\"" + name + "\" src=\"x.gif\">";
        expected << QString::fromUtf8(name);
    }
    EngineFixture f;
    QVERIFY(f.load(page(Simple(body, "<meta charset=\"utf-8\">"))));
    QCOMPARE(f.engine->GetPageImageNames(), expected);
}

void tst_CEditEngine::bodyAttributesAndTitle()
{
    EngineFixture f;
    QVERIFY(f.load(page("<html><head></head><body bgcolor=white link=\"#00FF00\" "
                        "background=\"old.gif\"><p>x</p></body></html>")));
    using A = CEditEngine::BodyAttribute;
    QCOMPARE(f.engine->GetBodyAttribute(A::BgColor), QStringLiteral("#ffffff"));
    QCOMPARE(f.engine->GetBodyAttribute(A::Link), QStringLiteral("#00ff00"));
    QCOMPARE(f.engine->GetBodyAttribute(A::VLink), QString());
    QCOMPARE(f.engine->GetBodyAttribute(A::Background), QStringLiteral("old.gif"));
    QCOMPARE(f.engine->GetTitle(), QString());

    QSignalSpy titles(f.engine.get(), &CEditEngine::titleChanged);
    // Colours as the page-properties writer passes them: 0xRRGGBB, blue in the low byte.
    QVERIFY(f.engine->SetBodyAttribute(A::ALink, 0xFF0080));
    QVERIFY(f.engine->SetBodyAttribute(A::VLink, 0xC0C0C0));
    QVERIFY(f.engine->SetBodyAttribute(A::Link, 0x0000FF));
    QVERIFY(f.engine->SetBodyAttribute(A::BgColor, 0xFFFFFF));
    QVERIFY(f.engine->SetBodyAttribute(A::Background, QStringLiteral("images/back.jpg")));
    QVERIFY(f.engine->SetBodyAttribute(A::BgProperties, QStringLiteral("fixed")));
    QVERIFY(!f.engine->SetBodyAttribute(A::Link, QVariant::fromValue(QPoint())));
    f.engine->SetTitle(QStringLiteral("A \"quoted\" <title> & more"));
    f.idle();
    QCOMPARE(f.engine->GetBodyAttribute(A::ALink), QStringLiteral("#ff0080"));
    QCOMPARE(f.engine->GetBodyAttribute(A::VLink), QStringLiteral("#c0c0c0"));
    QCOMPARE(f.engine->GetBodyAttribute(A::Link), QStringLiteral("#0000ff"));
    QCOMPARE(f.engine->GetBodyAttribute(A::BgColor), QStringLiteral("#ffffff"));
    QCOMPARE(f.engine->GetBodyAttribute(A::Background), QStringLiteral("images/back.jpg"));
    QCOMPARE(f.engine->GetBodyAttribute(A::BgProperties), QStringLiteral("fixed"));
    QCOMPARE(f.engine->GetTitle(), QStringLiteral("A \"quoted\" <title> & more"));
    QCOMPARE(titles.count(), 1);
    QCOMPARE(titles.first().first().toString(), QStringLiteral("A \"quoted\" <title> & more"));

    const QString target = m_dir->filePath("saved.htm");
    QVERIFY(f.save(target));
    const QByteArray saved = ReadAll(target);
    QVERIFY2(saved.contains("<title>A \"quoted\" &lt;title&gt; &amp; more</title>"), saved);
    QVERIFY2(
        saved.contains("<body bgcolor=\"#ffffff\" link=\"#0000ff\" background=\"images/"
                       "back.jpg\" alink=\"#ff0080\" vlink=\"#c0c0c0\" bgproperties=\"fixed\">"),
        saved);
    // An empty background or bgProperties removes the attribute (an empty background would
    // name the page itself).
    QVERIFY(f.engine->SetBodyAttribute(A::Background, QString()));
    QVERIFY(f.engine->SetBodyAttribute(A::BgProperties, QString()));
    f.idle();
    QCOMPARE(f.engine->GetBodyAttribute(A::Background), QString());
    QVERIFY(!f.serialize().contains("background="));

    EngineFixture reread;
    QVERIFY(reread.load(target));
    QCOMPARE(reread.engine->GetBodyAttribute(A::ALink), QStringLiteral("#ff0080"));
    QCOMPARE(reread.engine->GetTitle(), QStringLiteral("A \"quoted\" <title> & more"));
}

// A local page is editable as soon as it is parsed, while an image on a server that does not
// answer still holds Chromium's load back; loading again meanwhile is a load of its own. The
// page's name has characters that URLs escape (the document is matched by its URL).
void tst_CEditEngine::editableBeforeImagesArrive()
{
    TestHttpServer server;
    QVERIFY(server.isListening());
    server.stalled.insert("/slow.png");
    const QString path =
        page(Simple("<p>text</p><img src=\"" + server.base().toLatin1() + "/slow.png\">"),
             QString::fromUtf8("slow page \xc3\xa9#1%.htm"));
    EngineFixture f;
    LoadRecorder loads(f.webPage());
    QVERIFY(f.load(path));
    QCOMPARE(f.engine->GetTitle(), QStringLiteral("T"));
    f.type("x");
    QVERIFY(f.body().startsWith(QLatin1String("<p>xtext</p><img")));
    QVERIFY(f.engine->IsModified());
    QTRY_VERIFY(server.stalledRequests >= 1);

    QVERIFY(f.load(path));
    QVERIFY(!f.engine->IsModified());
    QVERIFY(f.body().startsWith(QLatin1String("<p>text</p><img")));
    f.type("y");
    QVERIFY(f.body().startsWith(QLatin1String("<p>ytext</p><img")));
    // Chromium's own end of the earlier loads, once the image gets its answer, changes nothing.
    const qsizetype endedBefore = loads.ended.size();
    server.release();
    QTRY_VERIFY_WITH_TIMEOUT(loads.ended.size() > endedBefore, 30000);
    f.idle();
    QVERIFY(f.engine->IsLoaded());
    QVERIFY(f.body().startsWith(QLatin1String("<p>ytext</p><img")));
}

void tst_CEditEngine::largePageLoadsAndSaves()
{
    QByteArray body;
    for (int i = 0; body.size() < 3 * 1024 * 1024; ++i)
        body += "<p>Paragraph " + QByteArray::number(i) +
                " with some text, <b>bold</b> and <a href=\"x.htm\">a link</a>.</p>\r\n";
    const QByteArray bytes = Simple(body + "<p>LAST PARAGRAPH</p>");
    const QString path = page(bytes);
    EngineFixture f;
    QVERIFY(f.load(path));
    const QString copy = m_dir->filePath("copy.htm");
    QVERIFY(f.save(copy));
    QCOMPARE(ReadAll(copy), bytes);
    QVERIFY(f.select("LAST PARAGRAPH"));
    f.type("changed");
    QVERIFY(f.save(copy));
    const QByteArray saved = ReadAll(copy);
    QVERIFY(saved.size() > 3 * 1024 * 1024);
    QVERIFY(saved.contains("<p>changed</p></body></html>"));
    QVERIFY(saved.contains("<p>Paragraph 0 with some text, <b>bold</b> and <a href=\"x.htm\">"));
}

// A page over http: (with a redirect on the way) loads as a URL; it has no file of its own, so
// Save() fails and Save As serialises it in the charset it came in.
void tst_CEditEngine::httpPageLoadsAndSavesAs()
{
    TestHttpServer server;
    QVERIFY(server.isListening());
    const QByteArray pageBytes = "<html><head><title>Served</title></head><body><p>from the "
                                 "w\xe9"
                                 "b</p></body></html>";
    server.replies.insert("/old", {"HTTP/1.1 302 Found\r\nLocation: /page.htm", {}});
    server.replies.insert(
        "/page.htm",
        {"HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=windows-1252", pageBytes});
    const QString base = server.base();
    EngineFixture f;
    QVERIFY(f.load(base + "/old"));
    QCOMPARE(f.engine->GetTitle(), QStringLiteral("Served"));
    QVERIFY(f.engine->CurrentPath().isEmpty());
    QVERIFY(!f.save());
    const QString target = m_dir->filePath("copy.htm");
    QVERIFY(f.save(target));
    QCOMPARE(ReadAll(target), pageBytes + "\n");
    QCOMPARE(f.engine->CurrentPath(), target);
    // A missing page fails the load.
    EngineFixture missing;
    QVERIFY(!missing.load(base + "/nothing.htm"));
    QVERIFY(!missing.engine->IsLoaded());
}

PELION_ENGINE_TEST_MAIN(tst_CEditEngine)
#include "tst_CEditEngine.moc"
