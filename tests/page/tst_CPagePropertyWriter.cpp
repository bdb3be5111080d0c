// Round trips of the page properties on the real editing component: a page is opened in the
// program, each of its eleven properties is changed once through the side bar's panel, and after
// every change the saved file must show that change, every other property as before, no
// duplicated tag and the title kept.
#include "ShellTestSupport.h"

#include "engine/CEditEngine.h"
#include "frame/CTandemTabViewBar.h"
#include "page/CCEditDoc.h"
#include "page/CPagePropertyWriter.h"
#include "pagetext/PageProperties.h"
#include "propgrid/CPropColourCombo.h"
#include "propgrid/CPropColourPalette.h"
#include "propgrid/CPropListBox.h"
#include "propgrid/CPropPanel.h"
#include "sites/NewPage.h"
#include "util/StringUtil.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>

namespace {

enum Row {
    Title,
    Description,
    Keywords,
    Sound,
    PlaySound,
    Background,
    BgColour,
    BgStyle,
    Link,
    VisitedLink,
    ActiveLink
};

// How many tags of each kind the page has: none may appear twice.
struct TagCounts
{
    int title = 0, description = 0, keywords = 0, sound = 0, body = 0;
};

TagCounts CountTags(const std::string &text)
{
    TagCounts counts;
    for (const HtmlTag &tag : ScanHtmlTags(text)) {
        if (tag.name == "title")
            ++counts.title;
        else if (tag.name == "bgsound")
            ++counts.sound;
        else if (tag.name == "body")
            ++counts.body;
        else if (tag.name == "meta") {
            for (const char *key : {"http-equiv", "name"}) {
                const HtmlTagAttribute *a = tag.Find(key);
                const std::string value = a ? util::ToLowerAscii(a->value) : std::string();
                counts.description += value == "description";
                counts.keywords += value == "keywords";
            }
        }
    }
    return counts;
}

std::string ReadBack(const QString &path, TagCounts &counts)
{
    std::string text;
    util::ReadFile(fromQt(path), text);
    counts = CountTags(text);
    return text;
}

} // namespace

class tst_CPagePropertyWriter : public QObject
{
    Q_OBJECT

private slots:
    void eachPropertyOnce_data();
    void eachPropertyOnce();
    void galleryBackgroundSound();
};

void tst_CPagePropertyWriter::eachPropertyOnce_data()
{
    QTest::addColumn<QByteArray>("page"); // empty: a page made from the program's template
    QTest::newRow("program-template") << QByteArray();
    QTest::newRow("lower-case-unquoted")
        << QByteArray("<html><head><title>Foreign one</title>\n"
                      "<meta name=description content=old-desc>\n"
                      "<meta name=keywords content=\"k1, k2\">\n</head>\n"
                      "<body bgcolor=red link=navy vlink=purple alink=lime background=bg.gif>\n"
                      "<p>Some text</p>\n</body></html>\n");
    QTest::newRow("upper-case-http-equiv")
        << QByteArray("<HTML><HEAD><TITLE>Second</TITLE>\n"
                      "<META HTTP-EQUIV=\"Keywords\" CONTENT=\"x\">\n"
                      "<BGSOUND SRC=\"old.wav\" loop=infinite>\n</HEAD>\n"
                      "<BODY BGCOLOR=\"#ffffff\" LINK=\"#00f\" bgProperties=fixed>\n"
                      "<P>T</P>\n</BODY></HTML>\n");
    QTest::newRow("single-quotes-named-colours")
        << QByteArray("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\">\n"
                      "<title>Third &amp; last</title>\n"
                      "<meta name='description' content='single'>\n</head>\n"
                      "<body text=black bgcolor=Silver vlink='#c0c0c0' alink=Teal>\n"
                      "<p>x</p>\n</body></html>\n");
}

void tst_CPagePropertyWriter::eachPropertyOnce()
{
    QFETCH(QByteArray, page);
    ShellFixture shell(false);
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    const QString site = shell.program + "site";
    QVERIFY(QDir().mkpath(site + "/Sounds") && QDir().mkpath(site + "/Images"));
    util::WriteFileAtomic(fromQt(site + "/Sounds/Loop.WAV"), "RIFF");
    util::WriteFileAtomic(fromQt(site + "/Images/Back.GIF"), "GIF89a");
    QString path;
    if (page.isEmpty()) {
        NewPageRequest request;
        request.siteFolder = fromQt(site);
        request.fileName = "made.html";
        request.title = "Made Here";
        request.templateName = PELION_SOURCE_DIR "/data/Bin/default.htt";
        const NewPageResult made = CreateNewPage(request);
        QCOMPARE(int(made.error), int(NewPageError::None));
        path = toQt(made.createdPath);
    } else {
        path = site + "/page.html";
        util::WriteFileAtomic(fromQt(path), page.toStdString());
    }

    CCEditView *view = shell.open(path);
    QVERIFY(view);
    CCEditDoc *doc = view->GetDocument();
    QTRY_VERIFY_WITH_TIMEOUT(view->Site()->Engine()->IsLoaded() && doc->PropertiesRead(), 30000);
    CPropPanel *panel = shell.frame()->SideBar()->PropertyPanel();
    QVERIFY(panel);
    QCOMPARE(panel->Shown(), static_cast<CPropOwner *>(doc));
    QSignalSpy written(view->PropertyWriter(), &CPagePropertyWriter::written);

    TagCounts before;
    std::string text = ReadBack(path, before);
    PageProperties expected;
    ReadPagePropertiesFromText(text, expected);
    QCOMPARE(expected, doc->Properties());
    if (page.isEmpty())
        QCOMPARE(expected.title, std::string("Made Here"));

    panel->SetFileDialog([&](const PropFileRequest &) {
        const bool sound = panel->CurrentRow() == Sound;
        return PropFileAnswer{PropFileAnswer::Chosen,
                              site + (sound ? "/Sounds/Loop.WAV" : "/Images/Back.GIF")};
    });
    CPropListBox *list = panel->GetListBox();
    const auto select = [&](int row) {
        panel->SuppressEditor(true);
        list->setCurrentRow(row);
        panel->SuppressEditor(false);
        list->setFocus();
    };
    const auto type = [&](int row, const QString &value) {
        select(row);
        QTest::keyClicks(list, value);
        QLineEdit *edit = qobject_cast<QLineEdit *>(panel->GetActiveEditor());
        QVERIFY(edit);
        QTest::keyClick(edit, Qt::Key_Return);
    };
    const auto pick = [&](int row, std::int32_t current, std::int32_t &field) {
        select(row);
        panel->OpenEditor(false);
        QVERIFY(panel->Palette());
        // The first panel colour that is not the current one.
        const auto &colours = PanelColours();
        const int index = colours[9] == current ? 8 : 9;
        field = colours[index];
        QTest::mouseClick(panel->Palette()->ColourButton(index), Qt::LeftButton);
    };

    for (int row = Title; row <= ActiveLink; ++row) {
        const int writes = written.count();
        switch (row) {
        case Title:
            type(row, "New Title");
            expected.title = "New Title";
            break;
        case Description:
            type(row, "A \"quoted\" description & more");
            expected.description = "A \"quoted\" description & more";
            break;
        case Keywords:
            type(row, "alpha, beta");
            expected.keywords = "alpha, beta";
            break;
        case Sound:
        case Background:
            select(row);
            panel->OpenEditor(false);
            (row == Sound ? expected.backgroundSound : expected.background) =
                row == Sound ? "Sounds/Loop.WAV" : "Images/Back.GIF";
            break;
        case PlaySound:
        case BgStyle:
            select(row);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->ValueCell(row).center());
            (row == PlaySound ? expected.playSound : expected.backgroundStyle) ^= 1;
            break;
        case BgColour:
            pick(row, expected.backgroundColour, expected.backgroundColour);
            break;
        case Link:
            pick(row, expected.linkColour, expected.linkColour);
            break;
        case VisitedLink:
            pick(row, expected.visitedLinkColour, expected.visitedLinkColour);
            break;
        case ActiveLink:
            pick(row, expected.activeLinkColour, expected.activeLinkColour);
            break;
        }
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY_WITH_TIMEOUT(written.count() == writes + 1, 30000);
        QVERIFY2(written.last().at(0).toBool(),
                 qPrintable(
                     QStringLiteral("row %1, messages: %2")
                         .arg(row)
                         .arg(shell.messages.isEmpty() ? QString() : shell.messages.last().text)));
        QTRY_VERIFY_WITH_TIMEOUT(view->Site()->Engine()->IsLoaded(), 30000);
        // The next change comes once the reloaded page has settled, as a user's would.
        bool idle = false;
        view->Site()->Engine()->RunWhenIdle([&idle] { idle = true; });
        QTRY_VERIFY_WITH_TIMEOUT(idle, 20000);

        TagCounts counts;
        text = ReadBack(path, counts);
        PageProperties saved;
        ReadPagePropertiesFromText(text, saved);
        QVERIFY2(saved == expected,
                 qPrintable(QStringLiteral("after row %1:\n%2").arg(row).arg(toQt(text))));
        QCOMPARE(doc->Properties(), expected);
        QCOMPARE(counts.title, 1);
        QCOMPARE(counts.body, 1);
        QVERIFY(counts.description <= 1 && counts.keywords <= 1 && counts.sound <= 1);
    }
    // The page's own text is still there (as the page spells it: saves keep the source's case).
    const QByteArray lower = QByteArray::fromStdString(text).toLower();
    QVERIFY(lower.contains(page.isEmpty() ? "</body>" : "</p>"));
}

void tst_CPagePropertyWriter::galleryBackgroundSound()
{
    ShellFixture shell(false);
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    const QString path = shell.writePage(
        "sound.html", "<html><head><title>S</title><BGSOUND SRC=old.wav></head><body><p>x</p>"
                      "</body></html>");
    util::WriteFileAtomic(fromQt(shell.program + "Tune.mid"), "MThd");
    CCEditView *view = shell.open(path);
    QVERIFY(view);
    QTRY_VERIFY_WITH_TIMEOUT(
        view->Site()->Engine()->IsLoaded() && view->GetDocument()->PropertiesRead(), 30000);
    QSignalSpy written(view->PropertyWriter(), &CPagePropertyWriter::written);
    view->PropertyWriter()->InsertBackgroundSound(shell.program + "Tune.mid", true);
    QTRY_VERIFY_WITH_TIMEOUT(written.count() == 1, 30000);
    TagCounts counts;
    const std::string text = ReadBack(path, counts);
    QCOMPARE(counts.sound, 1);
    QVERIFY2(text.find("<bgsound src=\"Tune.mid\" loop=\"infinite\">") != std::string::npos,
             text.c_str());
    QCOMPARE(view->GetDocument()->Properties().playSound, 0);
}

int main(int argc, char **argv)
{
    tst_CPagePropertyWriter test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CPagePropertyWriter.moc"
