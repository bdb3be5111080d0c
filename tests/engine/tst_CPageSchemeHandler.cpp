// What a page shown by the engine may read, on the real engine: the editing view's page scheme
// and browser mode, whose own off-the-record profile runs the page's scripts.
#include "EngineTestSupport.h"

#include "sites/SiteDefinitions.h"
#include "util/AppProfile.h"
#include "util/ProfileFile.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>

class tst_CPageSchemeHandler : public EngineTestCase
{
    Q_OBJECT

private slots:
    void cleanup();

    void editedPageReadsOnlyItsFolders();
    void browserModeReadsOnlyItsFolders();
    void browserModeProfileIsOwnAndKept();

private:
    // <tmp>/site/page.htm with its image, a sub-folder and links out of the folder; beside the
    // folder lie outside.txt and outside.png, which the page must not reach.
    QString writeSite(const QByteArray &body);
    QString at(const QString &relative) const { return m_dir->filePath(relative); }
};

namespace {

// The natural widths of the page's images by id, once every one has loaded or failed.
QVariantMap ImageWidths(QWebEnginePage *page, quint32 world)
{
    const QString complete = QStringLiteral("Array.from(document.images).every(i => i.complete)");
    [&] { QTRY_VERIFY_WITH_TIMEOUT(RunJs(page, complete, world).toBool(), 30000); }();
    return RunJs(page,
              QStringLiteral("Object.fromEntries(Array.from(document.images)"
                             ".map(i => [i.id, i.naturalWidth]))"),
              world)
        .toMap();
}

const QByteArray kImages = "<img id=\"own\" src=\"own.png\"><img id=\"sub\" src=\"sub/pic.png\">"
                           "<img id=\"up\" src=\"../outside.png\">"
                           "<img id=\"linked\" src=\"link.png\">";

} // namespace

void tst_CPageSchemeHandler::cleanup()
{
    util::AppProfile().RemoveSection(SiteDefinitions::kSection);
}

QString tst_CPageSchemeHandler::writeSite(const QByteArray &body)
{
    QImage image(12, 10, QImage::Format_RGB32);
    image.fill(Qt::red);
    QDir().mkpath(at("site/sub"));
    bool ok = image.save(at("site/own.png")) && image.save(at("site/sub/pic.png")) &&
              image.save(at("outside.png")) && WriteAll(at("outside.txt"), "OUTSIDE") &&
              WriteAll(at("site/sub/data.txt"), "INSIDE") &&
              QFile::link(at("outside.txt"), at("site/link.txt")) &&
              QFile::link(at("outside.png"), at("site/link.png")) &&
              QFile::link(m_dir->path(), at("site/linkdir")) &&
              QFile::link(at("site/sub/data.txt"), at("site/inlink.txt"));
    if (!ok)
        qFatal("cannot write the test site in %s", qPrintable(m_dir->path()));
    return page(Simple(body), QStringLiteral("site/page.htm"));
}

// A page loaded through the page scheme (a filtered open) shows the images of its folder tree;
// "../" and a link out are refused, until the folder above is a defined site that holds it.
void tst_CPageSchemeHandler::editedPageReadsOnlyItsFolders()
{
    const QString path = writeSite(kImages);
    EngineFixture f;
    QVERIFY(f.load(path, true, EngineFilter::None));
    QWebEnginePage *view = f.webPage();
    QVERIFY(view);
    QVariantMap widths = ImageWidths(view, QWebEngineScript::ApplicationWorld);
    QCOMPARE(widths.value("own").toInt(), 12);
    QCOMPARE(widths.value("sub").toInt(), 12);
    QCOMPARE(widths.value("up").toInt(), 0);
    QCOMPARE(widths.value("linked").toInt(), 0);

    SiteDefinitions sites(util::AppProfile());
    QVERIFY(sites.Add("Around the page", m_dir->path().toStdString(), ""));
    QVERIFY(f.load(path, true, EngineFilter::None));
    widths = ImageWidths(view, QWebEngineScript::ApplicationWorld);
    QCOMPARE(widths.value("own").toInt(), 12);
    QCOMPARE(widths.value("up").toInt(), 12);
    QCOMPARE(widths.value("linked").toInt(), 12);
}

// In browser mode the page's scripts run; what they read, through the page scheme or as file:
// URLs, comes from the page's folder tree only.
void tst_CPageSchemeHandler::browserModeReadsOnlyItsFolders()
{
    const QByteArray fileImage = QUrl::fromLocalFile(at("outside.png")).toEncoded();
    const QString path = writeSite(kImages + "<img id=\"file\" src=\"" + fileImage + "\">" +
                                   "<script>document.title = 'live';</script>");
    EngineFixture f;
    QVERIFY(f.load(path));
    QVERIFY(f.exec(EngineId::BrowseMode));
    QWebEnginePage *page = nullptr;
    QTRY_VERIFY_WITH_TIMEOUT((page = f.webPage()) && page->title() == QLatin1String("live"),
                             30000);

    const QVariantMap widths = ImageWidths(page, QWebEngineScript::MainWorld);
    QCOMPARE(widths.value("own").toInt(), 12);
    QCOMPARE(widths.value("sub").toInt(), 12);
    QCOMPARE(widths.value("up").toInt(), 0);
    QCOMPARE(widths.value("linked").toInt(), 0);
    QCOMPARE(widths.value("file").toInt(), 0);

    // Reads by XMLHttpRequest ("xhr") or fetch ("fetch"; Chromium's fetch() takes no custom
    // scheme, so only file: URLs go that way). "{key}" is the page's key in its URL.
    struct Read
    {
        const char *name;
        const char *how;
        QString url;
        const char *expected; // the text read, or "failed"
    };
    const QString outsideFile = QUrl::fromLocalFile(at("outside.txt")).toString();
    const Read reads[] = {
        {"sub-folder", "xhr", "sub/data.txt", "INSIDE"},
        {"link inside the folder", "xhr", "inlink.txt", "INSIDE"},
        {"file: URL inside", "xhr", QUrl::fromLocalFile(at("site/sub/data.txt")).toString(),
         "INSIDE"},
        {"../", "xhr", "../outside.txt", "failed"},
        {"encoded ../", "xhr", "%2e%2e/outside.txt", "failed"},
        {"link to a file outside", "xhr", "link.txt", "failed"},
        {"link to a folder outside", "xhr", "linkdir/outside.txt", "failed"},
        {"root-relative path", "xhr", at("outside.txt"), "failed"},
        {"own key, path outside", "xhr", "pelion-page:/{key}" + at("outside.txt"), "failed"},
        {"file: URL outside", "xhr", outsideFile, "failed"},
        {"file: URL outside, fetch", "fetch", outsideFile, "failed"},
        {"file: URL through a link", "fetch", QUrl::fromLocalFile(at("site/link.txt")).toString(),
         "failed"},
    };
    QJsonArray list;
    for (const Read &r : reads)
        list.append(QJsonArray{r.name, r.how, r.url});
    RunJs(page, QStringLiteral(R"(
        window.reads = {};
        (function (list) {
            const key = location.pathname.split('/')[1];
            for (const [name, how, given] of list) {
                const url = given.replace('{key}', key);
                const done = text => { window.reads[name] = text; };
                if (how === 'fetch') {
                    fetch(url).then(r => r.ok ? r.text() : 'failed', () => 'failed').then(done);
                    continue;
                }
                const x = new XMLHttpRequest();
                x.onload = () => done(x.status === 200 ? x.responseText : 'failed');
                x.onerror = () => done('failed');
                try { x.open('GET', url); x.send(); } catch (e) { done('failed'); }
            }
        })(%1);)")
                     .arg(QString::fromUtf8(QJsonDocument(list).toJson(QJsonDocument::Compact))));
    QTRY_COMPARE_WITH_TIMEOUT(RunJs(page, "Object.keys(window.reads).length").toInt(),
                              int(std::size(reads)), 30000);
    const QVariantMap answers = RunJs(page, "window.reads").toMap();
    for (const Read &r : reads)
        QVERIFY2(answers.value(r.name).toString() == QLatin1String(r.expected),
                 qPrintable(QStringLiteral("%1: %2").arg(r.name, answers.value(r.name).toString())));
}

// The copy runs on a profile of its own, off the record, with file URLs kept to the file rules;
// it is made once and serves every engine's browser mode.
void tst_CPageSchemeHandler::browserModeProfileIsOwnAndKept()
{
    EngineFixture f;
    QVERIFY(f.load(page(Simple("<p>one</p>"))));
    QWebEngineProfile *editing = f.webPage()->profile();
    QVERIFY(f.exec(EngineId::BrowseMode));
    QTRY_VERIFY(f.webPage() && f.webPage()->profile() != editing);
    QWebEngineProfile *browsing = f.webPage()->profile();
    QVERIFY(browsing->isOffTheRecord());
    QVERIFY(!browsing->settings()->testAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls));
    QVERIFY(browsing->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled));
    QVERIFY(f.exec(EngineId::EditMode));

    EngineFixture other;
    QVERIFY(other.load(page(Simple("<p>two</p>"), QStringLiteral("two.htm"))));
    QCOMPARE(other.webPage()->profile(), editing);
    QVERIFY(other.exec(EngineId::BrowseMode));
    QTRY_VERIFY(other.webPage() && other.webPage()->profile() == browsing);
    QVERIFY(f.exec(EngineId::BrowseMode));
    QTRY_VERIFY(f.webPage() && f.webPage()->profile() == browsing);
}

PELION_ENGINE_TEST_MAIN(tst_CPageSchemeHandler)
#include "tst_CPageSchemeHandler.moc"
