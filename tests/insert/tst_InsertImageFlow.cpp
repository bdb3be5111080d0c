#include "../support/EngineWaits.h"
#include "ShellTestSupport.h"

#include "engine/CEditEngine.h"
#include "insert/CBrowseEdit.h"
#include "insert/CInsertImageDlg.h"
#include "sites/SiteDefinitions.h"
#include "toolkit/CommandIds.h"
#include "util/AppProfile.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

// Image/Animation... on a page in the real editing component: the dialog's files go into the
// site's resource folder and the tag into the page.
class tst_InsertImageFlow : public QObject
{
    Q_OBJECT

private slots:
    void okCopiesTheFilesAndInsertsTheTag();
    void cancelCopiesAndInsertsNothing();
    void galleryFileOpensTheDialogWithItsPreset();

private:
    struct Page
    {
        CCEditView *view = nullptr;
        CEditEngine *engine = nullptr;
        QString site;
    };
    Page openSitePage(ShellFixture &shell);
    static QString body(CEditEngine *engine);
    static void touch(const QString &path);
};

void tst_InsertImageFlow::touch(const QString &path)
{
    QVERIFY(util::MakeFolders(util::PathFolder(fromQt(path))));
    QVERIFY(util::WriteFileAtomic(fromQt(path), fromQt(path)));
}

tst_InsertImageFlow::Page tst_InsertImageFlow::openSitePage(ShellFixture &shell)
{
    Page page;
    page.site = shell.program + "Site";
    [&] {
        QVERIFY(shell.start());
        QVERIFY(shell.waitForPages(0));
        QVERIFY(util::MakeFolders(fromQt(page.site)));
        SiteDefinitions(util::AppProfile()).Add("Site", fromQt(page.site), "media");
        const QString path =
            shell.writePage("Site/index.html",
                            "<html><head><title>Images</title></head><body><p>Start here</p>"
                            "<img name=\"logo\" src=\"x.gif\"><img src=\"y.gif\"></body></html>");
        page.view = shell.open(path);
        QVERIFY(page.view);
        page.engine = page.view->Site()->Engine();
        QVERIFY(page.engine);
        QTRY_VERIFY_WITH_TIMEOUT(page.engine->IsLoaded(), 60000);
        QTRY_COMPARE_WITH_TIMEOUT(page.engine->GetPageImageNames(), QStringList({"logo", ""}),
                                  20000);
    }();
    return page;
}

QString tst_InsertImageFlow::body(CEditEngine *engine)
{
    return enginewait::Page(engine);
}

void tst_InsertImageFlow::okCopiesTheFilesAndInsertsTheTag()
{
    ShellFixture shell(false);
    const Page page = openSitePage(shell);
    QVERIFY(page.view);
    const QString art = shell.program + "Art/";
    for (const char *name : {"coin0001.gif", "coin0002.gif", "coin0003.gif", "coin2.gif"})
        touch(art + name);

    QStringList combo;
    shell.dialogAnswers.push_back([&](CDialog &d) {
        auto &dialog = static_cast<CInsertImageDlg &>(d);
        auto *combo1049 = dialog.findChild<QComboBox *>("1049");
        for (int i = 0; i < combo1049->count(); ++i)
            combo << combo1049->itemText(i);
        dialog.findChild<CBrowseEdit *>("1002")->Edit()->setText(art + "coin0002.gif");
        dialog.findChild<CBrowseEdit *>("1039")->Edit()->setText(art + "coin2.gif");
        dialog.findChild<QLineEdit *>("1003")->setText("logo"); // taken: becomes logo1
        dialog.findChild<QRadioButton *>("1061")->click();
        dialog.accept();
        return dialog.result();
    });
    QVERIFY(shell.frame()->RouteCommand(cmd::InsertImage));
    QCOMPARE(shell.dialogTitles, QStringList({"Insert image"}));
    QCOMPARE(combo, QStringList({"", "logo"}));
    QVERIFY(shell.messages.isEmpty());

    for (const char *name : {"coin0001.gif", "coin0002.gif", "coin0003.gif", "coin2.gif"})
        QVERIFY2(util::FileExists(fromQt(page.site + "/media/" + name)), name);
    const QString html = body(page.engine);
    QVERIFY2(html.contains("<img src=\"media/coin0002.gif\" align=\"baseline\" name=\"logo1\""),
             qPrintable(html));
    QVERIFY2(html.contains("onclick=\"qxGoRandom(logo1, 3)\""), qPrintable(html));
    QVERIFY2(html.contains("onmouseover=\"qxMouseOver(logo1, 'media/coin2.gif')\""),
             qPrintable(html));
}

void tst_InsertImageFlow::cancelCopiesAndInsertsNothing()
{
    ShellFixture shell(false);
    const Page page = openSitePage(shell);
    QVERIFY(page.view);
    const QString source = shell.program + "Art/sun.gif";
    touch(source);
    const QString before = body(page.engine);
    shell.dialogAnswers.push_back([&](CDialog &d) {
        d.findChild<CBrowseEdit *>("1002")->Edit()->setText(source);
        d.findChild<QRadioButton *>("1042")->click();
        d.reject();
        return d.result();
    });
    QVERIFY(shell.frame()->RouteCommand(cmd::InsertImage));
    QCOMPARE(shell.dialogTitles.size(), 1);
    QVERIFY(!util::FolderExists(fromQt(page.site + "/media")));
    QCOMPARE(body(page.engine), before);
}

void tst_InsertImageFlow::galleryFileOpensTheDialogWithItsPreset()
{
    ShellFixture shell(false);
    const Page page = openSitePage(shell);
    QVERIFY(page.view);
    const QString file = shell.program + "Clipart/Buttons/Home.gif";
    touch(file);
    QString name, source;
    bool home = false;
    shell.dialogAnswers.push_back([&](CDialog &d) {
        name = d.findChild<QLineEdit *>("1003")->text();
        source = d.findChild<CBrowseEdit *>("1002")->Text();
        home = d.findChild<QRadioButton *>("1045")->isChecked();
        d.accept();
        return d.result();
    });
    QVERIFY(page.view->InsertGalleryImage(file, true));
    QCOMPARE(name, QStringLiteral("Home"));
    QCOMPARE(source, file);
    QVERIFY(home);
    QVERIFY(util::FileExists(fromQt(page.site + "/media/Home.gif")));
    QVERIFY(body(page.engine).contains("onclick=\"qxGoHome()\""));

    // A sound or a background is not the dialog's business.
    QVERIFY(!page.view->InsertGalleryImage(shell.program + "Clipart/Sounds/ding.wav", true));
    QVERIFY(!page.view->InsertGalleryImage(shell.program + "Clipart/Backgrounds/p.jpg", true));
    QCOMPARE(shell.dialogTitles.size(), 1);
}

int main(int argc, char **argv)
{
    tst_InsertImageFlow test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_InsertImageFlow.moc"
