#include "gallery/ObjectGallery.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../engine/EngineTestSupport.h"

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <map>

// Every object shipped in Bin/Objects goes into a page through the editing component, the page
// is saved and then shown in a plain browser view with page scripts on: no script may report an
// error, and every object must visibly do its job there.
namespace {

// A browser page that keeps the console's error messages.
class ConsolePage : public QWebEnginePage
{
public:
    using QWebEnginePage::QWebEnginePage;
    QStringList errors;

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int line, const QString &source) override
    {
        if (level == ErrorMessageLevel)
            errors << QStringLiteral("%1:%2: %3").arg(source).arg(line).arg(message);
    }
};

// What an object must show in the browser. Each round runs act for every object, waits, then
// evaluates expect, which must be true. In the scripts, el is the object's element (found by
// its class) and S a per-object scratch object kept between the rounds.
struct Round
{
    const char *act;
    const char *expect;
};
struct ObjectCheck
{
    const char *selector;
    Round first;
    Round second; // act and expect empty: one round
};

const std::map<QString, ObjectCheck> &Checks()
{
    static const std::map<QString, ObjectCheck> checks = {
        {"Digital Clock",
         {".pelion-clock",
          {"S.text = el.textContent",
           R"(/^\d\d:\d\d:\d\d$/.test(el.textContent) && el.textContent !== S.text)"},
          {}}},
        {"Today's Date",
         {".pelion-date",
          {"", "el.textContent.includes(String(new Date().getFullYear())) && "
               "new RegExp('\\\\b' + new Date().getDate() + '\\\\b').test(el.textContent)"},
          {}}},
        {"Countdown",
         {".pelion-countdown",
          {"", R"(/^\d+ days, \d+ hours, \d+ minutes$/.test(el.textContent))"},
          {}}},
        {"Drop-down Menu",
         {".pelion-menu",
          {"S.list = el.querySelector('ul'); S.closedAtFirst = S.list.offsetHeight === 0; "
           "el.querySelector('button').click()",
           "S.closedAtFirst && S.list.offsetHeight > 0 && "
           "S.list.querySelectorAll('a').length === 3"},
          {"document.body.click()", "S.list.offsetHeight === 0"}}},
        {"Back to Top",
         {".pelion-top",
          {"S.hiddenAtTop = el.offsetHeight === 0; window.scrollTo(0, 1500)",
           "S.hiddenAtTop && el.offsetHeight > 0"},
          {"el.click()", "window.scrollY === 0 && el.offsetHeight === 0"}}},
        {"Last Updated",
         {".pelion-updated", {"", R"(/^Last updated: .*\d{4}/.test(el.textContent))"}, {}}},
        {"Print Button",
         {".pelion-print",
          // A click that does not bubble: a click reaching the document closes the open menu.
          {"S.printed = 0; window.print = function () { S.printed += 1; }; "
           "el.dispatchEvent(new MouseEvent('click', {bubbles: false}))",
           "S.printed === 1"},
          {}}},
        {"Email Link",
         {".pelion-email",
          {"", "el.href === 'mailto:me@example.org' && el.textContent === 'me@example.org'"},
          {}}},
        {"Hit Counter",
         {".pelion-visits", {"", "el.textContent === 'You have visited this page 1 time.'"}, {}}},
        {"Typewriter",
         {".pelion-typewriter",
          {"S.atLoad = el.textContent", "el.getAttribute('data-text').startsWith(S.atLoad) && "
                                        "el.textContent === el.getAttribute('data-text')"},
          {}}},
        {"Rainbow Text",
         {".pelion-rainbow",
          {"S.colour = el.firstElementChild.style.color",
           "el.children.length === el.textContent.length && el.textContent.length > 0 && "
           "el.firstElementChild.style.color !== '' && "
           "el.firstElementChild.style.color !== S.colour"},
          {}}},
        {"Scrolling Message",
         {".pelion-scroller",
          {"S.at = el.firstElementChild.style.transform",
           "el.firstElementChild.style.transform.startsWith('translateX(') && "
           "el.firstElementChild.style.transform !== S.at"},
          {}}},
    };
    return checks;
}

// The script for one object: an act is a list of statements, an expect one expression whose
// value is the script's result.
QString Wrapped(const QString &object, const char *selector, const char *body, bool isAct)
{
    const QString inner = isAct ? QStringLiteral("%1; return true;").arg(QLatin1String(body))
                                : QStringLiteral("return (%1);").arg(QLatin1String(body));
    // One scratch object per object name.
    return QStringLiteral("(function () { window.__checks = window.__checks || {}; "
                          "var S = window.__checks[%1] = window.__checks[%1] || {}; "
                          "var el = document.querySelector('%2'); if (!el) return 'missing'; "
                          "return (function () { %3 })(); })()")
        .arg(QStringLiteral("\"%1\"").arg(QString(object).replace('\'', "\\'")),
             QLatin1String(selector), inner);
}

} // namespace

class tst_ShippedObjects : public QObject
{
    Q_OBJECT

private:
    QVariant run(ConsolePage &page, const QString &script)
    {
        bool done = false;
        QVariant result;
        page.runJavaScript(script, [&](const QVariant &value) {
            result = value;
            done = true;
        });
        [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 30000); }();
        return result;
    }

    bool loadInto(QWebEngineView &view, const QUrl &url)
    {
        QSignalSpy finished(view.page(), &QWebEnginePage::loadFinished);
        view.load(url);
        return finished.wait(60000) && finished.first().first().toBool();
    }

private slots:
    void everyObjectWorksInABrowser()
    {
        util::SetProgramFolder(PELION_SOURCE_DIR "/data/");
        const std::string objectsFolder = gallery::ObjectsFolder();
        QTemporaryDir dir;
        const QString pagePath = dir.filePath("objects.html");
        QVERIFY(WriteAll(pagePath, "<html><head><title>Objects</title></head><body>\n"
                                   "<p>Objects:</p>\n<p style=\"height: 3000px\">end</p>\n"
                                   "</body></html>\n"));

        // Into the page through the editor, at the caret after "Objects:".
        EngineFixture editor;
        QVERIFY(editor.load(pagePath));
        QVERIFY(editor.select("Objects:"));
        editor.key(Qt::Key_Right);
        QStringList inserted, copies;
        for (const std::string &category : gallery::ObjectCategories(objectsFolder)) {
            ProfileFile ini;
            QVERIFY(ini.Load(gallery::ObjectsIniPath(objectsFolder, category), true));
            for (const gallery::ObjectEntry &object :
                 gallery::ListObjects(objectsFolder + category + "/")) {
                const auto section = gallery::ReadObjectSection(ini, object.name);
                QVERIFY2(!section.html.empty(), object.name.c_str());
                for (const std::string &resource : section.resources)
                    copies << toQt(util::PathFileName(resource));
                const std::string html =
                    gallery::PrepareObjectHtml(section, fromQt(pagePath), ProfileFile());
                QVERIFY(editor.engine->InsertHtmlAtSelection(toQt(html) + "<br>"));
                inserted << toQt(object.name);
            }
        }
        util::SetProgramFolder("");
        QStringList checked;
        for (const auto &[name, check] : Checks())
            checked << name;
        inserted.sort();
        QCOMPARE(inserted, checked); // every shipped object has its check, and no more
        QVERIFY(editor.save());
        const QString saved = QString::fromUtf8(ReadAll(pagePath));
        QVERIFY2(!saved.contains("$("), qPrintable(saved));
        for (const QString &copy : copies)
            QVERIFY2(QFile::exists(dir.filePath(copy)), qPrintable(copy));

        // The saved page in a browser with scripts on, on its own in-memory profile.
        QWebEngineProfile profile;
        ConsolePage page(&profile);
        QWebEngineView view;
        page.settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, true);
        view.setPage(&page);
        view.resize(1000, 700);
        view.show();
        QVERIFY(loadInto(view, QUrl::fromLocalFile(pagePath)));

        for (bool second : {false, true}) {
            for (const auto &[name, check] : Checks()) {
                const Round &round = second ? check.second : check.first;
                if (round.expect && *round.act)
                    QCOMPARE(run(page, Wrapped(name, check.selector, round.act, true)),
                             QVariant(true));
            }
            QTest::qWait(2500); // clocks tick, text types out, a scroll comes to rest
            for (const auto &[name, check] : Checks()) {
                const Round &round = second ? check.second : check.first;
                if (!round.expect)
                    continue;
                const QVariant ok = run(page, Wrapped(name, check.selector, round.expect, false));
                QVERIFY2(ok.typeId() == QMetaType::Bool && ok.toBool(),
                         qPrintable(name + ": " + round.expect + " gave " + ok.toString()));
            }
        }
        // The visit counter remembers the first visit.
        QVERIFY(loadInto(view, QUrl::fromLocalFile(pagePath)));
        QCOMPARE(run(page, "document.querySelector('.pelion-visits').textContent").toString(),
                 QStringLiteral("You have visited this page 2 times."));
        QVERIFY2(page.errors.isEmpty(), qPrintable(page.errors.join('\n')));
    }
};

PELION_ENGINE_TEST_MAIN(tst_ShippedObjects)
#include "tst_ShippedObjects.moc"
