// The script library in a real browser: pages made from the default template, extended with
// the library blocks and holding the generators' tags, loaded in Qt WebEngine with page scripts
// on and driven by synthesised mouse events.
#include "engine/WebEngineEnvironment.h"
#include "insert/CBgSoundObject.h"
#include "insert/CImageObject.h"
#include "insert/CMediaObject.h"
#include "pagetext/CHtmlText.h"
#include "pagetext/PageExtensions.h"
#include "sites/NewPage.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <memory>

namespace {

// Collects the page's console errors; a library error would show here.
class RecordingPage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList errors;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int line, const QString &source) override
    {
        if (level == ErrorMessageLevel)
            errors << QStringLiteral("%1 (%2:%3)").arg(message, source).arg(line);
    }
};

QString binFolder()
{
    return QStringLiteral(PELION_PROGRAM_DIR "/Bin/");
}

std::string imageTag(const std::string &name, const std::string &source,
                     ClickAction action = ClickNothing)
{
    CImageObject image;
    image.m_strName = name;
    image.m_strValue = source;
    image.m_nClickAction = action;
    return image.GetHtml();
}

// A silent 16-bit mono wave of the given length.
QByteArray silentWave(double seconds)
{
    const quint32 rate = 8000;
    const quint32 dataSize = quint32(rate * seconds) * 2;
    QByteArray wav;
    auto le32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            wav.append(char((v >> (8 * i)) & 0xFF));
    };
    auto le16 = [&](quint16 v) {
        wav.append(char(v & 0xFF));
        wav.append(char(v >> 8));
    };
    wav.append("RIFF");
    le32(36 + dataSize);
    wav.append("WAVEfmt ");
    le32(16);
    le16(1);
    le16(1);
    le32(rate);
    le32(rate * 2);
    le16(2);
    le16(16);
    wav.append("data");
    le32(dataSize);
    wav.append(QByteArray(int(dataSize), '\0'));
    return wav;
}

} // namespace

class TestQxLib : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void plainPagesLoadWithoutErrors_data();
    void plainPagesLoadWithoutErrors();
    void rolloverSwapsAndRestores_data();
    void rolloverSwapsAndRestores();
    void clickPopupToggles_data();
    void clickPopupToggles();
    void moveableImageDrags();
    void randomImageStaysInItsSet_data();
    void randomImageStaysInItsSet();
    void navigation_data();
    void navigation();
    void soundPlaysThroughTheHiddenPlayer();
    void mediaObjectBecomesHtml5Player_data();
    void mediaObjectBecomesHtml5Player();
    void backgroundSoundPlays_data();
    void backgroundSoundPlays();
    void previewPageCentresItsObject();

private:
    // Makes fileName in the site folder as File New does (from the default template, with the
    // library files copied beside it), adds the extension blocks, puts body before the body's
    // closing tag and, when given, writes a background sound tag into the head the way the page
    // properties do.
    QString writePage(const QString &fileName, const std::string &body,
                      const std::string &bgsound = {});
    void writeFile(const QString &fileName, const QByteArray &bytes);
    void copyLibrary();
    void writeImage(const QString &fileName, const QColor &colour);
    bool load(const QString &fileName);
    QVariant js(const QString &script);
    QString jsString(const QString &script) { return js(script).toString(); }
    QPoint centreOf(const QString &element);
    QString currentFile() const { return m_page->url().fileName(); }

    std::unique_ptr<QTemporaryDir> m_site;
    std::unique_ptr<QWebEngineView> m_view;
    RecordingPage *m_page = nullptr;
};

void TestQxLib::initTestCase()
{
    for (const char *name : {"qxlib.js", "qxlib.css", "default.htt", "Preview.htm", "Template.wav"})
        QVERIFY2(QFile::exists(binFolder() + name), name);
    util::SetProgramFolder(PELION_PROGRAM_DIR "/");
    QCOMPARE(toQt(DefaultTemplatePath()), binFolder() + "default.htt");
}

void TestQxLib::init()
{
    m_site = std::make_unique<QTemporaryDir>();
    QVERIFY(m_site->isValid());
    m_view = std::make_unique<QWebEngineView>();
    m_page = new RecordingPage(m_view.get());
    m_view->setPage(m_page);
    m_page->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
    m_view->resize(800, 600);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
}

void TestQxLib::cleanup()
{
    if (m_page)
        QVERIFY2(m_page->errors.isEmpty(), qPrintable(m_page->errors.join('\n')));
    m_view.reset();
    m_page = nullptr;
    m_site.reset();
}

QString TestQxLib::writePage(const QString &fileName, const std::string &body,
                             const std::string &bgsound)
{
    NewPageRequest request;
    request.siteFolder = fromQt(m_site->path());
    request.fileName = fromQt(fileName);
    request.title = fromQt(fileName);
    const NewPageResult made = CreateNewPage(request);
    if (made.error != NewPageError::None) {
        qWarning("new page failed: %s", made.detail.c_str());
        return {};
    }
    const std::string &path = made.createdPath;
    if (!AddExtensions(path))
        return {};
    std::string page;
    ReadTextFile(path, page);
    CHtmlText extended(page);
    extended.InsertBefore("</body>", body + "\r\n");
    if (!WriteTextFile(page, path))
        return {};
    if (!bgsound.empty() && !SetHeadTag("<BGSOUND", bgsound, path, "</head>"))
        return {};
    return toQt(path);
}

void TestQxLib::writeFile(const QString &fileName, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(m_site->filePath(fileName)).path());
    QFile file(m_site->filePath(fileName));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void TestQxLib::copyLibrary()
{
    for (const char *name : {"qxlib.js", "qxlib.css"})
        QVERIFY(QFile::copy(binFolder() + name, m_site->filePath(name)));
}

void TestQxLib::writeImage(const QString &fileName, const QColor &colour)
{
    QDir().mkpath(QFileInfo(m_site->filePath(fileName)).path());
    QImage image(80, 60, QImage::Format_RGB32);
    image.fill(colour);
    QVERIFY(image.save(m_site->filePath(fileName)));
}

bool TestQxLib::load(const QString &fileName)
{
    QSignalSpy loaded(m_page, &QWebEnginePage::loadFinished);
    m_page->load(QUrl::fromLocalFile(m_site->filePath(fileName)));
    if (!loaded.wait(20000) || !loaded.first().first().toBool())
        return false;
    // The library sets the page up when its content has been parsed.
    return js("document.readyState !== 'loading' && !!(window.qxlib && qxlib.loaded)").toBool();
}

QVariant TestQxLib::js(const QString &script)
{
    QVariant result;
    bool done = false;
    m_page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, 10000))
        qWarning("script did not answer: %s", qPrintable(script));
    return result;
}

QPoint TestQxLib::centreOf(const QString &element)
{
    const QVariantList box =
        js(QStringLiteral("(function(e){var r=e.getBoundingClientRect();"
                          "return [r.left + r.width / 2, r.top + r.height / 2];})(%1)")
               .arg(element))
            .toList();
    if (box.size() != 2)
        return {};
    return QPoint(qRound(box[0].toDouble()), qRound(box[1].toDouble()));
}

// -------------------------------------------------------------------------------------------

void TestQxLib::plainPagesLoadWithoutErrors_data()
{
    QTest::addColumn<bool>("extended");
    QTest::newRow("default-template-extended") << true;
    QTest::newRow("library-only") << false;
}

void TestQxLib::plainPagesLoadWithoutErrors()
{
    QFETCH(bool, extended);
    if (extended) {
        QVERIFY(!writePage("index.html", "<p>Hello</p>").isEmpty());
    } else {
        copyLibrary();
        writeFile("index.html", "<!DOCTYPE html><html><head><script src=\"qxlib.js\"></script>"
                                "</head><body><p>Hello</p></body></html>");
    }
    QVERIFY(load("index.html"));
    if (extended)
        QCOMPARE(jsString("document.title"), QStringLiteral("index.html"));
    QCOMPARE(jsString("['initClassMoveable','qxGoHome','qxSound','qxGoRandom','qxGoPrev',"
                      "'qxGoNext','qxPop','qxMouseOver','qxMouseOut','qxRollPopOver',"
                      "'qxMousePopOut'].filter(function(f){return typeof window[f] !== "
                      "'function'}).join()"),
             QString());
    // The hidden player of the MPlyr block is the only element the library adds.
    QCOMPARE(js("document.querySelectorAll('audio,video').length").toInt(), extended ? 1 : 0);
    QCOMPARE(jsString("document.body.innerText.trim()"), QStringLiteral("Hello"));
    // Clicks and hovers on a page without behaviours do nothing and raise nothing.
    QTest::mouseMove(m_view->focusProxy(), QPoint(20, 20));
    QTest::mouseClick(m_view->focusProxy(), Qt::LeftButton, {}, QPoint(30, 30));
    QCOMPARE(jsString("typeof qxPop(undefined) + typeof qxMouseOver(null, 'x.gif')"),
             QStringLiteral("undefinedundefined"));
    QCOMPARE(currentFile(), QStringLiteral("index.html"));
}

void TestQxLib::rolloverSwapsAndRestores_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("popup");

    QTest::newRow("plain-rollover") << "logo"
                                    << "";
    QTest::newRow("hover-popup") << "logo"
                                 << "tip";
    // Names that are also properties of the image whose handler runs: there the bare
    // identifier yields the property (a string), not the image of that name.
    QTest::newRow("image-named-src") << "src"
                                     << "";
    QTest::newRow("popup-named-title") << "logo"
                                       << "title";
}

void TestQxLib::rolloverSwapsAndRestores()
{
    QFETCH(QString, name);
    QFETCH(QString, popup);
    writeImage("images/logo.png", Qt::blue);
    writeImage("images/logo2.png", Qt::red);
    writeImage("images/tip.png", Qt::yellow);

    CImageObject image;
    image.m_strName = fromQt(name);
    image.m_strValue = "images\\logo.png";
    image.m_strRollover = "images\\logo2.png";
    image.m_strHoverPopup = fromQt(popup);
    std::string body = image.GetHtml() + "<br><br>\r\n";
    if (!popup.isEmpty()) {
        CImageObject tip;
        tip.m_strName = fromQt(popup);
        tip.m_strValue = "images/tip.png";
        tip.m_bInvisible = true;
        body += tip.GetHtml();
    }
    QVERIFY(!writePage("page0002.html", body).isEmpty());
    QVERIFY(load("page0002.html"));

    const QString img = QStringLiteral("document.getElementsByName('%1')[0]").arg(name);
    const QString pop = QStringLiteral("document.getElementsByName('%1')[0]").arg(popup);
    QCOMPARE(jsString(img + ".getAttribute('src')"), QStringLiteral("images/logo.png"));
    const QPoint over = centreOf(img);
    QVERIFY(!over.isNull());

    QTest::mouseMove(m_view->focusProxy(), over);
    QTRY_COMPARE(jsString(img + ".getAttribute('src')"), QStringLiteral("images/logo2.png"));
    if (!popup.isEmpty())
        QTRY_COMPARE(jsString("getComputedStyle(" + pop + ").visibility"),
                     QStringLiteral("visible"));

    QTest::mouseMove(m_view->focusProxy(), QPoint(700, 500));
    QTRY_COMPARE(jsString(img + ".getAttribute('src')"), QStringLiteral("images/logo.png"));
    if (!popup.isEmpty())
        QTRY_COMPARE(jsString("getComputedStyle(" + pop + ").visibility"),
                     QStringLiteral("hidden"));
    // The image really shows the other picture while hovered, not only another attribute.
    QCOMPARE(js(img + ".complete && " + img + ".naturalWidth").toInt(), 80);
}

void TestQxLib::clickPopupToggles_data()
{
    QTest::addColumn<QString>("popup");
    QTest::addColumn<bool>("popupExists");

    QTest::newRow("named-image") << "tip" << true;
    // In the button's handler "width" is the button's own width (a number).
    QTest::newRow("name-of-an-image-property") << "width" << true;
    QTest::newRow("name-of-a-window-property") << "status" << true;
    // A page element named "images" replaces document.images for scripts.
    QTest::newRow("name-of-a-document-property") << "images" << true;
    // The popup was deleted from the page: clicking must not raise a script error.
    QTest::newRow("missing-image") << "gone" << false;
}

void TestQxLib::clickPopupToggles()
{
    QFETCH(QString, popup);
    QFETCH(bool, popupExists);
    writeImage("button.png", Qt::green);
    writeImage("tip.png", Qt::yellow);

    CImageObject button;
    button.m_strName = "button";
    button.m_strValue = "button.png";
    button.m_nClickAction = ClickPopup;
    button.m_strClickPopup = fromQt(popup);
    std::string body = button.GetHtml() + "<br>\r\n";
    if (popupExists) {
        CImageObject tip;
        tip.m_strName = fromQt(popup);
        tip.m_strValue = "tip.png";
        tip.m_bInvisible = true;
        body += tip.GetHtml();
    }
    QVERIFY(!writePage("index.html", body).isEmpty());
    QVERIFY(load("index.html"));

    const QString visibility =
        QStringLiteral("(function(e){return e ? getComputedStyle(e).visibility : 'none';})"
                       "(document.getElementsByName('%1')[0])")
            .arg(popup);
    // Not document.images: a page element named "images" takes that name over.
    const QPoint click = centreOf("document.getElementsByName('button')[0]");
    const QString start = popupExists ? "hidden" : "none";
    QCOMPARE(jsString(visibility), start);

    QTest::mouseClick(m_view->focusProxy(), Qt::LeftButton, {}, click);
    QTRY_COMPARE(jsString(visibility), popupExists ? QStringLiteral("visible") : start);
    QTest::mouseClick(m_view->focusProxy(), Qt::LeftButton, {}, click);
    QTRY_COMPARE(jsString(visibility), start);
    if (!popupExists) {
        // The clicks ran the handler (which found nothing) rather than failing before it.
        QCOMPARE(jsString("typeof gone"), QStringLiteral("object"));
        QCOMPARE(js("gone === null").toBool(), true);
    }
}

void TestQxLib::moveableImageDrags()
{
    writeImage("images/ball.png", Qt::red);
    CImageObject image;
    image.m_strName = "ball";
    image.m_strValue = "images\\ball.png";
    image.m_nClickAction = ClickMove;
    image.m_strLink = "other.html";
    const std::string body =
        "<p>Text before the image.</p>\r\n" + image.GetHtml() + "\r\n<p>Text after.</p>";
    QVERIFY(!writePage("page0002.html", body).isEmpty());
    QVERIFY(!writePage("other.html", "<p>other</p>").isEmpty());
    QVERIFY(load("page0002.html"));

    const QString ball = "document.images.ball.getBoundingClientRect()";
    const QString after = "document.querySelectorAll('p')[1].getBoundingClientRect().top";
    const double left = js(ball + ".left").toDouble();
    const double top = js(ball + ".top").toDouble();
    const double textTop = js(after).toDouble();
    QCOMPARE(jsString("getComputedStyle(document.images.ball).cursor"), QStringLiteral("pointer"));

    QWidget *input = m_view->focusProxy();
    QPoint at = centreOf("document.images.ball");
    QTest::mousePress(input, Qt::LeftButton, {}, at);
    for (int step = 1; step <= 5; ++step)
        QTest::mouseMove(input, at + QPoint(12 * step, 8 * step));
    QTest::mouseRelease(input, Qt::LeftButton, {}, at + QPoint(60, 40));
    QTRY_COMPARE(js(ball + ".left").toDouble(), left + 60);
    QTRY_COMPARE(js(ball + ".top").toDouble(), top + 40);

    // A second drag goes on from where the first ended.
    at += QPoint(60, 40);
    QTest::mousePress(input, Qt::LeftButton, {}, at);
    QTest::mouseMove(input, at + QPoint(-20, 10));
    QTest::mouseRelease(input, Qt::LeftButton, {}, at + QPoint(-20, 10));
    QTRY_COMPARE(js(ball + ".left").toDouble(), left + 40);
    QTRY_COMPARE(js(ball + ".top").toDouble(), top + 50);

    // The text after it stays where it was: the image keeps its place in the flow.
    QCOMPARE(js(after).toDouble(), textTop);
    QCOMPARE(jsString("document.images.ball.style.position"), QStringLiteral("relative"));

    // Releasing after a drag is no click on the image's link; a click without a move is.
    QCOMPARE(currentFile(), QStringLiteral("page0002.html"));
    QTest::mouseClick(input, Qt::LeftButton, {}, at + QPoint(-20, 10));
    QTRY_COMPARE(currentFile(), QStringLiteral("other.html"));
}

void TestQxLib::randomImageStaysInItsSet_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("first");
    QTest::newRow("five-members") << 5 << "art/Coin0003.png";
    QTest::newRow("one-member") << 1 << "art/Coin0001.png";
    QTest::newRow("set-not-found") << 0 << "art/Coin0003.png";
}

void TestQxLib::randomImageStaysInItsSet()
{
    QFETCH(int, count);
    QFETCH(QString, first);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan};
    for (int n = 1; n <= 5; ++n)
        writeImage(QStringLiteral("art/Coin%1.png").arg(n, 4, 10, QLatin1Char('0')),
                   colours[n - 1]);
    CImageObject coin;
    coin.m_strName = "coin";
    coin.m_strValue = fromQt(first).replace(3, 1, "\\"); // as the copy into the site writes it
    coin.m_nClickAction = ClickRandomImage;
    coin.m_nRandomSetSize = std::int16_t(count);
    QVERIFY(!writePage("index.html", coin.GetHtml()).isEmpty());
    QVERIFY(load("index.html"));

    const QString src = "document.images.coin.getAttribute('src')";
    const QPoint click = centreOf("document.images.coin");
    QString previous = jsString(src);
    QCOMPARE(previous, first);
    // Counts the clicks once the image's own handler has had them (they bubble up after it).
    js("window.clicksHandled = 0;"
       "document.addEventListener('click', function () { ++window.clicksHandled; });");
    QSet<QString> seen;
    for (int i = 0; i < 24; ++i) {
        QTest::mouseClick(m_view->focusProxy(), Qt::LeftButton, {}, click);
        if (count == 0) {
            QVERIFY(QTest::qWaitFor([&] { return js("window.clicksHandled").toInt() == i + 1; },
                                    10000));
            QCOMPARE(jsString(src), first);
            continue;
        }
        if (count > 1)
            QTRY_VERIFY(jsString(src) != previous);
        const QString now = jsString(src);
        const QRegularExpressionMatch m = QRegularExpression("^art/Coin(\\d{4})\\.png$").match(now);
        QVERIFY2(m.hasMatch(), qPrintable(now));
        const int member = m.captured(1).toInt();
        QVERIFY(member >= 1 && member <= count);
        seen.insert(now);
        previous = now;
    }
    if (count == 5)
        QVERIFY2(seen.size() >= 3, "24 draws from four candidates each should spread");
    if (count == 1)
        QCOMPARE(seen, QSet<QString>{"art/Coin0001.png"});
}

void TestQxLib::navigation_data()
{
    QTest::addColumn<QStringList>("pages"); // files in the site; the first is loaded
    QTest::addColumn<int>("action");        // ClickAction of its image
    QTest::addColumn<QString>("expected");  // file opened by the click; "" when none

    QTest::newRow("next") << QStringList{"page0003.html", "page0004.html"} << int(ClickGoNext)
                          << "page0004.html";
    QTest::newRow("previous") << QStringList{"page0003.html", "page0002.html"}
                              << int(ClickGoPrevious) << "page0002.html";
    QTest::newRow("named-set-next")
        << QStringList{"Photos0009.htm", "Photos0010.htm"} << int(ClickGoNext) << "Photos0010.htm";
    QTest::newRow("nothing-before-0001")
        << QStringList{"page0001.html", "page0000.html"} << int(ClickGoPrevious) << "";
    QTest::newRow("no-number-no-next")
        << QStringList{"about.html", "about0001.html"} << int(ClickGoNext) << "";
    QTest::newRow("no-number-no-previous")
        << QStringList{"about.html"} << int(ClickGoPrevious) << "";
    QTest::newRow("next-page-missing") << QStringList{"page0003.html"} << int(ClickGoNext) << "";
    // New sites are index.html, page0002.html, ...: the home page takes the place of 0001.
    QTest::newRow("previous-of-0002-is-home")
        << QStringList{"page0002.html", "index.html"} << int(ClickGoPrevious) << "index.html";
    QTest::newRow("next-of-home-is-0002")
        << QStringList{"index.html", "page0002.html"} << int(ClickGoNext) << "page0002.html";
    QTest::newRow("home-lower-case")
        << QStringList{"page0003.html", "index.html"} << int(ClickGoHome) << "index.html";
    QTest::newRow("home-capitalised")
        << QStringList{"page0003.html", "Index.html"} << int(ClickGoHome) << "Index.html";
}

void TestQxLib::navigation()
{
    QFETCH(QStringList, pages);
    QFETCH(int, action);
    QFETCH(QString, expected);
    writeImage("go.png", Qt::darkGreen);
    for (const QString &page : pages) {
        const std::string body =
            imageTag("go", "go.png", ClickAction(action)) + "<p>" + fromQt(page) + "</p>";
        QVERIFY(!writePage(page, body).isEmpty());
    }
    QVERIFY(load(pages.first()));
    QCOMPARE(jsString("document.images.go.className"), QStringLiteral("showhand"));

    QTest::mouseClick(m_view->focusProxy(), Qt::LeftButton, {}, centreOf("document.images.go"));
    if (!expected.isEmpty()) {
        QTRY_COMPARE(currentFile(), expected);
        QTRY_COMPARE(jsString("document.body ? document.body.innerText.trim() : ''"), expected);
        return;
    }
    // The call answers with the page it opened; null means that it stayed.
    const char *call = action == ClickGoNext       ? "qxGoNext"
                       : action == ClickGoPrevious ? "qxGoPrev"
                                                   : "qxGoHome";
    js(QStringLiteral("%1().then(function(r){ window.answer = String(r); })").arg(call));
    QTRY_COMPARE(jsString("window.answer"), QStringLiteral("null"));
    QCOMPARE(currentFile(), pages.first());
}

void TestQxLib::soundPlaysThroughTheHiddenPlayer()
{
    writeImage("bell.png", Qt::gray);
    writeFile("sounds/bell.wav", silentWave(3));
    QVERIFY(QFile::copy(binFolder() + "Template.wav", m_site->filePath("sounds/new.wav")));
    CImageObject bell;
    bell.m_strName = "bell";
    bell.m_strValue = "bell.png";
    bell.m_nClickAction = ClickPlaySound;
    bell.m_strSound = "sounds\\bell.wav";
    QVERIFY(!writePage("index.html", bell.GetHtml()).isEmpty());
    QVERIFY(load("index.html"));

    const QString player = "document.querySelector('audio[data-qx-player=\"MPlyr\"]')";
    QCOMPARE(jsString(player + ".hidden + ' ' + " + player + ".paused"),
             QStringLiteral("true true"));
    QCOMPARE(jsString("document.getElementById('MPlyr').style.display"), QStringLiteral("none"));

    QTest::mouseClick(m_view->focusProxy(), Qt::LeftButton, {}, centreOf("document.images.bell"));
    QTRY_VERIFY(jsString(player + ".src").endsWith("/sounds/bell.wav"));
    QTRY_COMPARE(js(player + ".paused").toBool(), false);
    QTRY_VERIFY(js(player + ".currentTime").toDouble() > 0);

    // The recording template is a sound the browser decodes: a quarter of a second.
    js("qxSound('sounds\\\\new.wav')");
    QTRY_VERIFY(jsString(player + ".src").endsWith("/sounds/new.wav"));
    QTRY_VERIFY(js(player + ".duration").toDouble() > 0.2);
    QVERIFY(js(player + ".duration").toDouble() < 0.3);
    QCOMPARE(js(player + ".error").isNull(), true);
}

void TestQxLib::mediaObjectBecomesHtml5Player_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("autoStart");
    QTest::addColumn<int>("playCount");
    QTest::addColumn<bool>("showControls");
    QTest::addColumn<bool>("mute");
    QTest::addColumn<QString>("tag");

    QTest::newRow("video-defaults") << "media\\clip.avi" << false << 1 << true << false << "VIDEO";
    QTest::newRow("sound-autostart-forever")
        << "media\\loop.wav" << true << 0 << true << false << "AUDIO";
    QTest::newRow("sound-no-controls-muted")
        << "media/quiet.wav" << true << 3 << false << true << "AUDIO";
}

void TestQxLib::mediaObjectBecomesHtml5Player()
{
    QFETCH(QString, file);
    QFETCH(bool, autoStart);
    QFETCH(int, playCount);
    QFETCH(bool, showControls);
    QFETCH(bool, mute);
    QFETCH(QString, tag);
    m_page->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, false);
    writeFile("media/loop.wav", silentWave(3));
    writeFile("media/quiet.wav", silentWave(3));
    writeFile("media/clip.avi", QByteArray("RIFF....AVI ", 12));

    CMediaObject media;
    media.m_strName = "clip";
    media.m_strValue = fromQt(file);
    media.m_bAutoStart = autoStart;
    media.m_nPlayCount = std::int16_t(playCount);
    media.m_bShowControls = showControls;
    media.m_bMute = mute;
    const QString path = writePage("index.html", "<p>Player:</p>\r\n" + media.GetHtml());
    QVERIFY(!path.isEmpty());
    QVERIFY(load("index.html"));

    const QString player = "document.querySelector('[data-qx-player=\"clip\"]')";
    QCOMPARE(jsString(player + ".tagName"), tag);
    const QString relative = QString(file).replace('\\', '/');
    QCOMPARE(jsString(player + ".src"), QUrl::fromLocalFile(m_site->filePath(relative)).toString());
    QCOMPARE(js(player + ".controls").toBool(), showControls);
    QCOMPARE(js(player + ".muted").toBool(), mute);
    QCOMPARE(js(player + ".loop").toBool(), playCount == 0);
    QCOMPARE(js(player + ".hidden").toBool(), false);
    // The player stands where the object stood; the object itself is out of the way.
    QCOMPARE(js(player + ".nextElementSibling === document.getElementById('clip')").toBool(), true);
    QCOMPARE(jsString("document.getElementById('clip').style.display"), QStringLiteral("none"));
    if (showControls)
        QVERIFY(js(player + ".getBoundingClientRect().height").toDouble() > 0);
    if (autoStart) {
        QTRY_COMPARE(js(player + ".paused").toBool(), false);
        QTRY_VERIFY(js(player + ".currentTime").toDouble() > 0);
    } else {
        // Loaded as far as it goes (the clip is no real video): a player told to start would
        // be playing by now.
        QTRY_VERIFY(js(player + ".error !== null || " + player + ".readyState >= 3").toBool());
        QCOMPARE(js(player + ".paused").toBool(), true);
    }

    // The page on disk keeps the markup as generated.
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains(QByteArray::fromStdString(media.GetHtml())));
}

void TestQxLib::backgroundSoundPlays_data()
{
    QTest::addColumn<bool>("loop");
    QTest::addColumn<bool>("needsGesture");

    QTest::newRow("looping") << true << false;
    QTest::newRow("once") << false << false;
    QTest::newRow("looping-after-first-click") << true << true;
}

void TestQxLib::backgroundSoundPlays()
{
    QFETCH(bool, loop);
    QFETCH(bool, needsGesture);
    m_page->settings()->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, needsGesture);
    writeFile("sounds/theme.wav", silentWave(3));
    CBgSoundObject sound;
    sound.m_strSource = "sounds\\theme.wav";
    sound.m_bLoop = loop;
    QVERIFY(!writePage("index.html", "<p>Music</p>", sound.GetHtml()).isEmpty());
    QVERIFY(load("index.html"));

    const QString audio = "document.querySelector('audio[data-qx-bgsound]')";
    QCOMPARE(jsString(audio + ".src"),
             QUrl::fromLocalFile(m_site->filePath("sounds/theme.wav")).toString());
    QCOMPARE(js(audio + ".loop").toBool(), loop);
    QCOMPARE(js(audio + ".hidden").toBool(), true);
    if (needsGesture) {
        // The sound could play now; the library's attempt at load time was refused.
        QTRY_VERIFY(js(audio + ".readyState >= 3").toBool());
        QCOMPARE(js(audio + ".paused").toBool(), true);
        QTest::mouseClick(m_view->focusProxy(), Qt::LeftButton, {}, QPoint(400, 400));
    }
    QTRY_COMPARE(js(audio + ".paused").toBool(), false);
    QTRY_VERIFY(js(audio + ".currentTime").toDouble() > 0);
}

void TestQxLib::previewPageCentresItsObject()
{
    // The preview is written beside the library in the program's Bin folder; here a copy of
    // that folder stands in for it.
    copyLibrary();
    writeImage("sample.png", Qt::magenta);
    writeImage("sample2.png", Qt::cyan);
    QFile templ(binFolder() + "Preview.htm");
    QVERIFY(templ.open(QIODevice::ReadOnly));
    std::string text = templ.readAll().toStdString();
    CImageObject image;
    image.m_strName = "sample";
    image.m_strValue = "sample.png";
    image.m_strRollover = "sample2.png";
    CHtmlText html(text);
    QVERIFY(html.ReplaceMacro("ImageDef", image.GetHtml(), true));
    QVERIFY(WriteTextFile(text, fromQt(m_site->filePath("Temp.htm"))));
    QVERIFY(load("Temp.htm"));

    const QPoint centre = centreOf("document.images.sample");
    QVERIFY2(qAbs(centre.x() - 400) <= 4, qPrintable(QString::number(centre.x())));
    QVERIFY2(qAbs(centre.y() - 300) <= 4, qPrintable(QString::number(centre.y())));
    QCOMPARE(jsString("getComputedStyle(document.body).backgroundColor"),
             QStringLiteral("rgb(244, 244, 242)"));
    QTest::mouseMove(m_view->focusProxy(), centre);
    QTRY_COMPARE(jsString("document.images.sample.getAttribute('src')"),
                 QStringLiteral("sample2.png"));
}

int main(int argc, char **argv)
{
    PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    TestQxLib test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_qxlib.moc"
