#include "ShellTestSupport.h"

#include "page/EditingOptions.h"
#include "imagelib/CBmp.h"
#include "page/PastePicture.h"
#include "sites/SiteDefinitions.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/CommandIds.h"
#include "util/AppProfile.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>

#include <cstdlib>

// Paste Special in a page window: the clipboard's picture is written as a JPEG file into the
// page's resource folder and referred to by an image tag at the selection.
class tst_PastePicture : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void tenPastesAreNumberedInTheResourceFolder();
    void pictureIsDrawnAtItsOwnSize_data();
    void pictureIsDrawnAtItsOwnSize();
    void jpegHoldsTheDrawingsColours();
    void drawingIsPreferredToImageData();
    void typedNameIsWrittenAsTyped();
    void typedNameOfAnExistingFileAsksFirst();
    void pageInNoSiteFolderGetsThePictureBesideIt();
    void failuresAreShownAndInsertNothing();

private:
    struct Page
    {
        CCEditView *view = nullptr;
        RecordingSite *site = nullptr;
        QString folder; // the page's folder, without "/"
    };
    // A page in a site whose resource sub-folder is "images" (or a loose page).
    static Page openPage(ShellFixture &shell, bool inSite = true);
    static void setClipboard(const QByteArray &svg, const QImage &image = QImage());
    static QByteArray svg(int width, int height, const QByteArray &body = {});
    static QString tag(const QString &reference);
    static CBmp decode(const QString &path);
};

void tst_PastePicture::cleanup()
{
    util::SetWriteFaultHook({});
    QApplication::clipboard()->clear();
}

tst_PastePicture::Page tst_PastePicture::openPage(ShellFixture &shell, bool inSite)
{
    Page page;
    [&] {
        QVERIFY(shell.start());
        QVERIFY(shell.waitForPages(0));
        page.folder = shell.program + (inSite ? "Site" : "Loose");
        QVERIFY(util::MakeFolders(fromQt(page.folder)));
        if (inSite)
            SiteDefinitions(util::AppProfile()).Add("Site", fromQt(page.folder), "images");
        const QString name = (inSite ? "Site" : "Loose") + QStringLiteral("/index.html");
        page.view = shell.open(shell.writePage(name, "<html><body>text</body></html>"));
        page.site = ShellFixture::siteOf(page.view);
        QVERIFY(page.site);
    }();
    return page;
}

void tst_PastePicture::setClipboard(const QByteArray &svg, const QImage &image)
{
    auto *data = new QMimeData;
    if (!svg.isEmpty())
        data->setData(QStringLiteral("image/svg+xml"), svg);
    if (!image.isNull())
        data->setImageData(image);
    QApplication::clipboard()->setMimeData(data);
}

QByteArray tst_PastePicture::svg(int width, int height, const QByteArray &body)
{
    return QStringLiteral("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                          "viewBox=\"0 0 %1 %2\">")
               .arg(width)
               .arg(height)
               .toUtf8() +
           body + "</svg>";
}

QString tst_PastePicture::tag(const QString &reference)
{
    return "<img align=baseline alt=\"\" border=0 hspace=0 src=\"" + reference + "\">\n";
}

CBmp tst_PastePicture::decode(const QString &path)
{
    // The picture is read back as a JPEG whatever its name says.
    const QString copy = path + ".check.jpg";
    QFile::remove(copy);
    QFile::copy(path, copy);
    CBmp picture;
    picture.Load(fromQt(copy));
    QFile::remove(copy);
    return picture;
}

void tst_PastePicture::tenPastesAreNumberedInTheResourceFolder()
{
    ShellFixture shell;
    const Page page = openPage(shell);
    QVERIFY(page.site);
    QVERIFY(!util::FolderExists(fromQt(page.folder + "/images"))); // made by the first paste
    setClipboard(svg(20, 10, "<rect width=\"20\" height=\"10\" fill=\"#008000\"/>"));

    QStringList expected;
    for (int n = 1; n <= 10; ++n) {
        QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
        const QString name = QString::asprintf("img%04d.jpg", n);
        QVERIFY2(util::FileExists(fromQt(page.folder + "/images/" + name)), qPrintable(name));
        expected << tag("images/" + name);
    }
    QCOMPARE(page.site->inserted, expected);
    QVERIFY(shell.messages.isEmpty());
    QVERIFY(shell.dialogTitles.isEmpty()); // no name question while AutoSaveMetafiles is on
}

void tst_PastePicture::pictureIsDrawnAtItsOwnSize_data()
{
    QTest::addColumn<bool>("drawing");
    QTest::addColumn<QSize>("own");
    QTest::addColumn<QSize>("written");
    QTest::newRow("drawing 3 x 4") << true << QSize(3, 4) << QSize(200, 200);
    QTest::newRow("drawing 3 x 40") << true << QSize(3, 40) << QSize(3, 40);
    QTest::newRow("drawing 320 x 90") << true << QSize(320, 90) << QSize(320, 90);
    QTest::newRow("image 4 x 2") << false << QSize(4, 2) << QSize(200, 200);
    QTest::newRow("image 64 x 3") << false << QSize(64, 3) << QSize(64, 3);
}

void tst_PastePicture::pictureIsDrawnAtItsOwnSize()
{
    QFETCH(bool, drawing);
    QFETCH(QSize, own);
    QFETCH(QSize, written);
    ShellFixture shell;
    const Page page = openPage(shell);
    QVERIFY(page.site);
    if (drawing) {
        setClipboard(svg(own.width(), own.height(),
                         QStringLiteral("<rect width=\"%1\" height=\"%2\" fill=\"#ff0000\"/>")
                             .arg(own.width())
                             .arg(own.height())
                             .toUtf8()));
    } else {
        QImage image(own, QImage::Format_RGB32);
        image.fill(Qt::red);
        setClipboard({}, image);
    }
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    const CBmp picture = decode(page.folder + "/images/img0001.jpg");
    int width = 0, height = 0;
    QVERIFY2(picture.GetSize(width, height), picture.LastError().c_str());
    QCOMPARE(QSize(width, height), written);
    // Stretched to the whole bitmap: red in the middle and in the corners.
    for (const QPoint &at :
         {QPoint(width / 2, height / 2), QPoint(0, 0), QPoint(width - 1, height - 1)}) {
        const RgbQuad colour = picture.Dib().PixelColour(at.x(), at.y());
        QVERIFY2(colour.red > 200 && colour.green < 60 && colour.blue < 60,
                 qPrintable(QStringLiteral("%1,%2: %3 %4 %5")
                                .arg(at.x())
                                .arg(at.y())
                                .arg(colour.red)
                                .arg(colour.green)
                                .arg(colour.blue)));
    }
}

void tst_PastePicture::jpegHoldsTheDrawingsColours()
{
    ShellFixture shell;
    const Page page = openPage(shell);
    QVERIFY(page.site);
    // Red top left, blue top right, the bottom half left empty (white underneath), and the
    // bottom right quarter half transparent green over it.
    setClipboard(svg(64, 48,
                     "<rect x=\"0\" y=\"0\" width=\"32\" height=\"24\" fill=\"#ff0000\"/>"
                     "<rect x=\"32\" y=\"0\" width=\"32\" height=\"24\" fill=\"#0000ff\"/>"
                     "<rect x=\"32\" y=\"24\" width=\"32\" height=\"24\" fill=\"#00ff00\" "
                     "fill-opacity=\"0.5\"/>"));
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    const CBmp picture = decode(page.folder + "/images/img0001.jpg");
    QCOMPARE(picture.Dib().Width(), 64);
    QCOMPARE(picture.Dib().Height(), 48);

    struct Probe
    {
        QPoint at;
        int red, green, blue;
    };
    const Probe probes[] = {{{16, 12}, 255, 0, 0},
                            {{48, 12}, 0, 0, 255},
                            {{16, 36}, 255, 255, 255},
                            {{48, 36}, 128, 255, 128}};
    for (const Probe &probe : probes) {
        const RgbQuad c = picture.Dib().PixelColour(probe.at.x(), probe.at.y());
        const QString where = QStringLiteral("%1,%2: %3 %4 %5")
                                  .arg(probe.at.x())
                                  .arg(probe.at.y())
                                  .arg(c.red)
                                  .arg(c.green)
                                  .arg(c.blue);
        QVERIFY2(std::abs(c.red - probe.red) <= 12 && std::abs(c.green - probe.green) <= 12 &&
                     std::abs(c.blue - probe.blue) <= 12,
                 qPrintable(where));
    }
}

void tst_PastePicture::drawingIsPreferredToImageData()
{
    ShellFixture shell;
    const Page page = openPage(shell);
    QVERIFY(page.site);
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    setClipboard(svg(10, 10, "<rect width=\"10\" height=\"10\" fill=\"#0000ff\"/>"), red);
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    RgbQuad c = decode(page.folder + "/images/img0001.jpg").Dib().PixelColour(5, 5);
    QVERIFY2(c.blue > 200 && c.red < 60, qPrintable(QString::number(c.red)));

    // A drawing that cannot be read leaves the image data.
    setClipboard("<svg this is not", red);
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    c = decode(page.folder + "/images/img0002.jpg").Dib().PixelColour(5, 5);
    QVERIFY2(c.red > 200 && c.blue < 60, qPrintable(QString::number(c.blue)));

    // Nothing readable at all: said so, nothing written.
    setClipboard("<svg this is not");
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QCOMPARE(shell.messages.size(), 1);
    QCOMPARE(shell.messages.last().text, "The picture on the clipboard cannot be read.");
    QVERIFY(!util::FileExists(fromQt(page.folder + "/images/img0003.jpg")));
    QCOMPARE(page.site->inserted.size(), 2);
}

void tst_PastePicture::typedNameIsWrittenAsTyped()
{
    ShellFixture shell;
    const Page page = openPage(shell);
    QVERIFY(page.site);
    shell.app->Options().autoSaveMetafiles = false;
    setClipboard(svg(30, 20, "<rect width=\"30\" height=\"20\" fill=\"#ff0000\"/>"));

    QString proposed;
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        auto *edit = dialog.findChild<QLineEdit *>("1028");
        proposed = edit->text();
        edit->setText("snapshot");
        return AcceptDialog(dialog);
    });
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QCOMPARE(shell.dialogTitles, QStringList({"Type in the name of the file"}));
    QCOMPARE(proposed, "img0001.jpg");
    QCOMPARE(page.site->inserted, QStringList({tag("images/snapshot")}));
    QVERIFY(!util::FileExists(fromQt(page.folder + "/images/snapshot.jpg")));
    QCOMPARE(decode(page.folder + "/images/snapshot").Dib().Width(), 30);

    // Cancel writes and inserts nothing.
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QCOMPARE(shell.dialogTitles.size(), 2);
    QCOMPARE(util::ListFiles(fromQt(page.folder + "/images"), "*").size(), size_t(1));
    QCOMPARE(page.site->inserted.size(), 1);
    QVERIFY(shell.messages.isEmpty());
}

void tst_PastePicture::typedNameOfAnExistingFileAsksFirst()
{
    ShellFixture shell;
    const Page page = openPage(shell, false);
    QVERIFY(page.site);
    shell.app->Options().autoSaveMetafiles = false;
    setClipboard(svg(30, 20));
    const std::string pageFile = fromQt(page.folder + "/index.html");
    std::string before;
    QVERIFY(util::ReadFile(pageFile, before));

    const auto typePageName = [](CDialog &dialog) {
        dialog.findChild<QLineEdit *>("1028")->setText("index.html");
        return AcceptDialog(dialog);
    };
    shell.dialogAnswers.push_back(typePageName);
    shell.messageAnswers.push_back(QMessageBox::No);
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QCOMPARE(shell.messages.size(), 1);
    QCOMPARE(shell.messages.last().text,
             page.folder + "/index.html already exists. Do you want to replace it?");
    std::string after;
    QVERIFY(util::ReadFile(pageFile, after));
    QCOMPARE(after, before);
    QVERIFY(page.site->inserted.isEmpty());

    shell.dialogAnswers.push_back(typePageName);
    shell.messageAnswers.push_back(QMessageBox::Yes);
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QVERIFY(util::ReadFile(pageFile, after));
    QCOMPARE(after.substr(0, 2), std::string("\xFF\xD8"));
    QCOMPARE(page.site->inserted, QStringList({tag("index.html")}));
}

void tst_PastePicture::pageInNoSiteFolderGetsThePictureBesideIt()
{
    ShellFixture shell;
    const Page page = openPage(shell, false);
    QVERIFY(page.site);
    setClipboard(svg(30, 20));
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QVERIFY(util::FileExists(fromQt(page.folder + "/img0001.jpg")));
    QCOMPARE(page.site->inserted, QStringList({tag("img0001.jpg")}));

    // An object selection takes no tag; the file stays and the next paste takes the next name.
    page.site->insertOk = false;
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QVERIFY(util::FileExists(fromQt(page.folder + "/img0002.jpg")));
    QCOMPARE(page.site->inserted.size(), 1);
    QVERIFY(shell.messages.isEmpty());
}

void tst_PastePicture::failuresAreShownAndInsertNothing()
{
    ShellFixture shell;
    const Page page = openPage(shell);
    QVERIFY(page.site);
    setClipboard(svg(30, 20));

    // The disk refuses the file.
    util::SetWriteFaultHook([](const std::string &) { return false; });
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    util::SetWriteFaultHook({});
    QCOMPARE(shell.messages.size(), 1);
    QCOMPARE(shell.messages.last().text, "Error: file writing failed");
    QVERIFY(!util::FileExists(fromQt(page.folder + "/images/img0001.jpg")));
    QVERIFY(page.site->inserted.isEmpty());

    // The resource folder cannot be made: a file holds its name.
    // The failed paste left no empty folder behind.
    QVERIFY(!QFileInfo::exists(page.folder + "/images"));
    QVERIFY(util::WriteFileAtomic(fromQt(page.folder + "/images"), "a file"));
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QCOMPARE(shell.messages.size(), 2);
    QCOMPARE(shell.messages.last().text, "Error: file writing failed");
    QVERIFY(page.site->inserted.isEmpty());

    // A page from a web address has no folder to write into.
    CCEditView *web = shell.open("http://example.org/page.html");
    QVERIFY(web);
    RecordingSite *webSite = ShellFixture::siteOf(web);
    QVERIFY(shell.frame()->RouteCommand(cmd::PasteSpecial));
    QCOMPARE(shell.messages.size(), 3);
    QVERIFY2(shell.messages.last().text.startsWith("Save the page before pasting a picture"),
             qPrintable(shell.messages.last().text));
    QVERIFY(webSite->inserted.isEmpty());
}

int main(int argc, char **argv)
{
    tst_PastePicture test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_PastePicture.moc"
