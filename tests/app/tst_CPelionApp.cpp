#include "ShellTestSupport.h"

#include "page/CCEditDoc.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/CRecentFileList.h"
#include "toolkit/CommandIds.h"
#include "util/AppProfile.h"
#include "util/ProfileFile.h"

#include <QLineEdit>
#include <QMenuBar>

class tst_CPelionApp : public QObject
{
    Q_OBJECT

private slots:
    void startUpWithoutArgumentLeavesNoPage();
    void commandLinePageOpens();
    void severalCommandLinePagesOpenInTheirOwnWindows();
    void missingPageGivesTwoErrors_data();
    void missingPageGivesTwoErrors();
    void newCommand();
    void openCommand();
    void openUrl_data();
    void openUrl();
    void recentFileLeavesListUntilSaved();
    void droppedFilesOpen();
};

void tst_CPelionApp::startUpWithoutArgumentLeavesNoPage()
{
    ShellFixture shell;
    QVERIFY(util::WriteFileAtomic(fromQt(shell.program) + "Tandem.ini",
                                  "[General]\r\nSite=/srv/site\r\n"));
    QVERIFY(shell.start());
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Torvane"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Pelion Web Author"));
    // The first New loaded Tandem.ini from the program folder...
    std::string site;
    QVERIFY(util::AppProfile().GetString("General", "Site", site));
    QCOMPARE(site, std::string("/srv/site"));
    QCOMPARE(util::AppProfile().Path(), fromQt(shell.program) + "Tandem.ini");
    // ... and made the blank page, which loaded nothing and closed itself at once.
    QCOMPARE(RecordingSite::all().size(), 1);
    QCOMPARE(RecordingSite::all().at(0)->loads, QStringList{QString()});
    QVERIFY(shell.waitForPages(0));
    QVERIFY(shell.app->FirstPageClosed());
    QVERIFY(shell.messages.isEmpty());

    CMainFrame *frame = shell.frame();
    QCOMPARE(frame->windowTitle(), QStringLiteral("Pelion Web Builder"));
    QVERIFY(frame->isVisible());
    QVERIFY(frame->windowState() & Qt::WindowMaximized);
    QVERIFY(frame->acceptDrops());
    QVERIFY(!frame->ShowsPageMenu());
    QCOMPARE(frame->menuBar()->actions().size(), 3);
}

void tst_CPelionApp::commandLinePageOpens()
{
    ShellFixture shell;
    const QString page = shell.writePage("start.html", "<p>hello</p>");
    QVERIFY(shell.start({page}));
    shell.settle();
    QCOMPARE(shell.frame()->OpenChildren().size(), 1);
    auto *view = qobject_cast<CCEditView *>(shell.frame()->ActiveView());
    QVERIFY(view);
    QCOMPARE(view->PagePath(), page);
    QCOMPARE(ShellFixture::siteOf(view)->loads, QStringList{page});
    QVERIFY(shell.frame()->ShowsPageMenu());
    QVERIFY(shell.app->FirstNewDone()); // Tandem.ini is loaded in this case too
    QVERIFY(view->parentWidget()->isMaximized());

    // Its title comes from the component's report.
    ShellFixture::siteOf(view)->reportTitle("Welcome");
    QCOMPARE(view->GetDocument()->GetTitle(), QStringLiteral("Welcome : start"));
    // The page's modified mark rides along in the maximised page's part of the title.
    QCOMPARE(shell.frame()->windowTitle(),
             QStringLiteral("Pelion Web Builder - [Welcome : start[*]]"));
    QVERIFY(!shell.frame()->isWindowModified());

    // The next New shows the New File dialog instead of making a blank page.
    shell.frame()->RouteCommand(cmd::FileNew);
    QCOMPARE(shell.dialogTitles, QStringList{"New FIle"});
    QCOMPARE(shell.frame()->OpenChildren().size(), 1);
}

void tst_CPelionApp::severalCommandLinePagesOpenInTheirOwnWindows()
{
    ShellFixture shell;
    const QString first = shell.writePage("first.html", "<p>1</p>");
    const QString second = shell.writePage("second.html", "<p>2</p>");
    const QString missing = shell.program + "missing.html";
    // Options are not pages; a page that cannot be opened leaves the others open.
    QVERIFY(shell.start({first, QStringLiteral("--some-option"), missing, second}));
    shell.settle();
    QVERIFY(shell.waitForPages(2));
    QStringList opened;
    for (CMDIChildWnd *child : shell.frame()->OpenChildren()) {
        auto *view = qobject_cast<CCEditView *>(child->GetActiveView());
        QVERIFY(view);
        opened.append(view->PagePath());
        QCOMPARE(ShellFixture::siteOf(view)->loads, QStringList{view->PagePath()});
    }
    opened.sort();
    QCOMPARE(opened, (QStringList{first, second}));
    QCOMPARE(shell.messages.size(), 2);
    QCOMPARE(shell.messages.at(1).text, missing);
}

void tst_CPelionApp::missingPageGivesTwoErrors_data()
{
    QTest::addColumn<bool>("failsAtOnce"); // the file is missing, or the load fails later
    QTest::newRow("missing-file") << true;
    QTest::newRow("load-fails-later") << false;
}

void tst_CPelionApp::missingPageGivesTwoErrors()
{
    QFETCH(bool, failsAtOnce);
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    QString path = shell.program + "missing.html";
    if (!failsAtOnce) {
        path = shell.writePage("broken.html", "x");
        shell.app->SetSiteFactory([](CCEditView *view) {
            auto *site = new RecordingSite(view);
            site->loadFinishesOk = false;
            return site;
        });
    }
    shell.app->OpenDocumentFile(path);
    QVERIFY(shell.waitForPages(0));
    QCOMPARE(shell.messages.size(), 2);
    QCOMPARE(shell.messages.at(0).title, QStringLiteral("Error"));
    QCOMPARE(shell.messages.at(0).text, QStringLiteral("Path Name Invalid"));
    QCOMPARE(shell.messages.at(0).icon, QMessageBox::Warning);
    QCOMPARE(shell.messages.at(1).title, QStringLiteral("Error"));
    QCOMPARE(shell.messages.at(1).text, path);
    QVERIFY(!shell.frame()->ShowsPageMenu());
}

void tst_CPelionApp::newCommand()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    QVERIFY(shell.app->FirstNewDone());
    // The New File dialog makes its pages in the current site folder, from the default template.
    const QString site = shell.program + "Pages";
    QVERIFY(QDir().mkpath(site));
    QVERIFY(QDir().mkpath(shell.program + "Bin"));
    shell.writePage("Bin/default.htt", "<html><head><TITLE></TITLE></head><body></body></html>");
    shell.app->PendingFilter = true;
    shell.frame()->RouteCommand(cmd::FileNew); // cancelled: nothing opens
    shell.settle();
    QVERIFY(shell.frame()->OpenChildren().isEmpty());
    QVERIFY(!shell.app->PendingFilter);
    shell.dialogAnswers.push_back([](CDialog &dialog) {
        dialog.findChild<QLineEdit *>("titleEdit")->setText("My title");
        dialog.accept();
        return dialog.result();
    });
    shell.frame()->RouteCommand(cmd::FileNew);
    shell.settle();
    QCOMPARE(shell.dialogTitles, (QStringList{"New FIle", "New FIle"}));
    QCOMPARE(shell.frame()->OpenChildren().size(), 1);
    auto *view = qobject_cast<CCEditView *>(shell.frame()->ActiveView());
    QCOMPARE(view->PagePath(), site + "/index.html");
    QVERIFY(ShellFixture::siteOf(view)->content.contains("<TITLE>My title</TITLE>"));
    QVERIFY(!view->FilterOnLoad());
}

void tst_CPelionApp::openCommand()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    QDir(shell.program).mkpath("site");
    const QString first = shell.writePage("site/one.html", "1");
    const QString second = shell.writePage("two.html", "2");
    shell.fileAnswers = {first, QString(), second};
    shell.frame()->RouteCommand(cmd::FileOpen);
    shell.frame()->RouteCommand(cmd::FileOpen); // cancelled
    shell.frame()->RouteCommand(cmd::FileOpen);
    shell.settle();
    QCOMPARE(shell.fileRequests.size(), 3);
    const FileDialogRequest &request = shell.fileRequests.at(0);
    QVERIFY(request.open);
    QCOMPARE(request.filter, QStringLiteral("HTML files|*.htm; *.html|All Files|*.*||"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("html"));
    QCOMPARE(request.folder, shell.program + "WebPages");
    // The next Open starts where the last page was found.
    QCOMPARE(shell.fileRequests.at(1).folder, shell.program + "site/");
    const QList<CMDIChildWnd *> pages = shell.frame()->OpenChildren();
    QCOMPARE(pages.size(), 2);
    QCOMPARE(static_cast<CCEditView *>(pages.at(0)->GetActiveView())->PagePath(), first);
    QCOMPARE(static_cast<CCEditView *>(pages.at(1)->GetActiveView())->PagePath(), second);
}

void tst_CPelionApp::openUrl_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("opens");
    QTest::newRow("cancelled") << "http://example.org/" << false << false;
    QTest::newRow("emptied") << "" << true << false;
    QTest::newRow("address") << "http://example.org/page.html" << true << true;
}

void tst_CPelionApp::openUrl()
{
    QFETCH(QString, typed);
    QFETCH(bool, ok);
    QFETCH(bool, opens);
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    QString initial;
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        auto &input = static_cast<CInputDlg &>(dialog);
        initial = input.Edit()->text();
        input.Edit()->setText(typed);
        if (ok)
            input.accept();
        else
            input.reject();
        return input.result();
    });
    shell.app->PendingFilter = true;
    shell.frame()->RouteCommand(cmd::OpenUrl);
    shell.settle();
    QCOMPARE(shell.dialogTitles, QStringList{"Enter URL"});
    QCOMPARE(initial, QStringLiteral("http://"));
    QCOMPARE(shell.frame()->OpenChildren().size(), opens ? 1 : 0);
    if (opens) {
        auto *view = qobject_cast<CCEditView *>(shell.frame()->ActiveView());
        QCOMPARE(view->PagePath(), typed);
        QVERIFY(!view->FilterOnLoad());
        QCOMPARE(ShellFixture::siteOf(view)->loads, QStringList{typed});
    }
}

void tst_CPelionApp::recentFileLeavesListUntilSaved()
{
    ShellFixture shell;
    const QString page = shell.writePage("recent.html", "<p>r</p>");
    const QString other = shell.writePage("other.html", "<p>o</p>");
    {
        QSettings settings;
        settings.setValue("Recent File List/File1", page);
        settings.setValue("Recent File List/File2", other);
    }
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    CRecentFileList *list = shell.app->RecentFileList();
    QCOMPARE(list->Entries(), (QStringList{page, other}));

    // The File menu shows the entries in place of "Recent File".
    QMenu *file = shell.frame()->Menus().fileMenus.at(0);
    emit file->aboutToShow();
    QStringList shown;
    for (QAction *action : file->actions()) {
        const int id = CMDIFrameWnd::CommandIdOf(action);
        if (id >= cmd::FileMru1 && id <= cmd::FileMruLast && action->isVisible())
            shown << action->text();
    }
    QCOMPARE(shown, (QStringList{"&1 " + page, "&2 " + other}));

    shell.frame()->RouteCommand(cmd::FileMru1);
    shell.settle();
    auto *view = qobject_cast<CCEditView *>(shell.frame()->ActiveView());
    QVERIFY(view);
    QCOMPARE(view->PagePath(), page);
    QCOMPARE(list->Entries(), QStringList{other});
    QCOMPARE(QSettings().value("Recent File List/File1").toString(), other);

    shell.frame()->RouteCommand(cmd::FileSave);
    QCOMPARE(list->Entries(), (QStringList{page, other}));
    QCOMPARE(QSettings().value("Recent File List/File1").toString(), page);
}

void tst_CPelionApp::droppedFilesOpen()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    const QString page = shell.writePage("dropped.html", "<p>d</p>");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(page)});
    shell.frame()->OpenDroppedFiles(&data);
    shell.settle();
    auto *view = qobject_cast<CCEditView *>(shell.frame()->ActiveView());
    QVERIFY(view);
    QCOMPARE(view->PagePath(), page);
}

int main(int argc, char **argv)
{
    tst_CPelionApp test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CPelionApp.moc"
