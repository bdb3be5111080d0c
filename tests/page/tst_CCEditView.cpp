#include "ShellTestSupport.h"

#include "page/EditingOptions.h"
#include "engine/EngineIds.h"
#include "frame/CFormatBar.h"
#include "frame/CTandemTabViewBar.h"
#include "page/CCEditDoc.h"
#include "page/CFontColorMenu.h"
#include "page/CPointDlg.h"
#include "page/EngineCommandTable.h"
#include "page/FormatBarSync.h"
#include "toolkit/CCmdUI.h"
#include "toolkit/CPropertyPage.h"
#include "toolkit/CPropertySheet.h"
#include "toolkit/CRecentFileList.h"
#include "toolkit/CommandIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

// The application with one page (a.html) open in its window.
class ViewFixture : public ShellFixture
{
public:
    CCEditView *view = nullptr;
    RecordingSite *site = nullptr;
    QString path;

    bool openPage(const QByteArray &text = "<html><head></head><body>text</body></html>")
    {
        if (!start() || !waitForPages(0))
            return false;
        path = writePage("a.html", text);
        view = open(path);
        site = siteOf(view);
        return view && site;
    }
    CCmdUI update(int id, bool enabled = true, bool checked = false)
    {
        CCmdUI ui(id, enabled, checked);
        frame()->RouteUpdate(ui);
        return ui;
    }
    std::string file(const QString &name) const
    {
        std::string text;
        util::ReadFile(fromQt(name), text);
        return text;
    }
};

class tst_CCEditView : public QObject
{
    Q_OBJECT

private slots:
    void titling_data();
    void titling();
    void saveAndSaveAs();
    void reload();
    void titleFollowsSaveAsWithModifiedMark();
    void fileAddressNamesALocalFile_data();
    void fileAddressNamesALocalFile();
    void fileDialogsStartWherePagesAre();
    void openDialogFillsInNoFileName();
    void newWindowIsAReadOnlyCopy();
    void contextMenuOffersWhatApplies_data();
    void contextMenuOffersWhatApplies();
    void closeQuestion_data();
    void closeQuestion();
    void closeQuestionEscape_data();
    void closeQuestionEscape();
    void failedSaveKeepsTheWindow();
    void filteredOpenAndSave();

    void engineTable_data();
    void engineTable();
    void rowsWithoutEffect();
    void updatesFollowTheComponent_data();
    void updatesFollowTheComponent();
    void enablingRules();
    void noEnabledItemWithoutHandler();
    void failureShownOnlyWithPrompt_data();
    void failureShownOnlyWithPrompt();
    void formatBarRefresh_data();
    void formatBarRefresh();
    void formatBarChoices();
    void blockFormatMenus();
    void fontColourMarks_data();
    void fontColourMarks();
    void gridRemembersAndMoveResets();
    void extensions_data();
    void extensions();
    void optionsAcrossTwoPages();
    void filterFlags_data();
    void filterFlags();
    void tagsToggleShowDetails();
    void dialogFreeInserts();
    void insertDialogs_data();
    void insertDialogs();
    void mediaInsertions();
};

// --- Page file commands -----------------------------------------------------------------------

void tst_CCEditView::titling_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("file") << "my page.html"
                          << "Report : my page";
    QTest::newRow("blank") << ""
                           << "Report : ";
}

void tst_CCEditView::titling()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    CCEditView *view = shell.open(name.isEmpty() ? QString() : shell.writePage(name, "<p>x</p>"));
    QVERIFY(view);
    QCOMPARE(view->GetDocument()->GetTitle(), QStringLiteral("Pelion2")); // until the report
    ShellFixture::siteOf(view)->reportTitle("Report");
    QCOMPARE(view->GetDocument()->GetTitle(), title);
    auto *child = qobject_cast<CMDIChildWnd *>(view->parentWidget());
    QVERIFY(child);
    QCOMPARE(child->windowTitle(), title + "[*]");
    QCOMPARE(child->DisplayedTitle(), title);
}

void tst_CCEditView::titleFollowsSaveAsWithModifiedMark()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    auto *child = qobject_cast<CMDIChildWnd *>(shell.view->parentWidget());
    QVERIFY(child);
    shell.site->reportTitle("Report");
    QCOMPARE(child->DisplayedTitle(), QStringLiteral("Report : a"));
    QVERIFY(!child->isWindowModified());

    // An edit marks the window (and the main window, whose title shows the maximised page).
    shell.site->modified = true;
    shell.site->reportUpdate();
    QVERIFY(child->isWindowModified());
    QCOMPARE(child->DisplayedTitle(), QStringLiteral("Report : a*"));
    shell.frame()->UpdateCommandUI();
    QVERIFY(shell.frame()->isWindowModified());

    // Save As retitles at once and clears the mark.
    shell.fileAnswers = {shell.program + "renamed.html"};
    shell.frame()->RouteCommand(cmd::SaveAs);
    QCOMPARE(shell.view->GetDocument()->GetTitle(), QStringLiteral("Report : renamed"));
    QVERIFY(!child->isWindowModified());
    shell.frame()->UpdateCommandUI();
    QVERIFY(!shell.frame()->isWindowModified());

    // Save clears it too.
    shell.site->modified = true;
    shell.site->reportUpdate();
    QVERIFY(child->isWindowModified());
    shell.frame()->RouteCommand(cmd::FileSave);
    QVERIFY(!child->isWindowModified());
}

void tst_CCEditView::fileAddressNamesALocalFile_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::newRow("file-three-slashes") << "file://";
    QTest::newRow("file-one-slash") << "file:";
}

void tst_CCEditView::fileAddressNamesALocalFile()
{
    QFETCH(QString, prefix);
    ViewFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    const QString path = shell.writePage(
        "my page.html",
        "<HTML><HEAD><TITLE>t</TITLE></HEAD>\r\n<BODY bgColor=#ffffff>x</BODY></HTML>");
    CCEditView *view = shell.open(prefix + QUrl::fromLocalFile(path).path(QUrl::FullyEncoded));
    QVERIFY(view);
    RecordingSite *site = ShellFixture::siteOf(view);
    QCOMPARE(view->PagePath(), path);
    QCOMPARE(site->loads, QStringList{path});
    shell.frame()->RouteCommand(cmd::FileSave);
    QCOMPARE(shell.app->RecentFileList()->Entries(), QStringList{path});
    // The extensions work on the file itself.
    shell.messageAnswers = {QMessageBox::Yes};
    shell.frame()->RouteCommand(cmd::PelionExtensions);
    QCOMPARE(shell.messages.size(), 1);
    QVERIFY(shell.file(path).find("<!-- #Begin \"qxlib\" -->") != std::string::npos);
    // Other addresses stay as they are.
    QCOMPARE(CCEditView::LocalPathOfAddress("http://example.com/a.html"),
             QStringLiteral("http://example.com/a.html"));
    QCOMPARE(CCEditView::LocalPathOfAddress(QString()), QString());
}

void tst_CCEditView::fileDialogsStartWherePagesAre()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    QDir().mkpath(shell.program + "sub");
    const QString moved = shell.program + "sub/moved.html";
    shell.fileAnswers = {moved};
    shell.frame()->RouteCommand(cmd::SaveAs);
    shell.fileAnswers = {QString()};
    shell.frame()->RouteCommand(cmd::SaveAs);
    // Save As starts in the page's own folder, with its name.
    QCOMPARE(shell.fileRequests.size(), 2);
    QCOMPARE(QDir::cleanPath(shell.fileRequests.at(0).folder), QDir::cleanPath(shell.program));
    QCOMPARE(shell.fileRequests.at(0).fileName, QStringLiteral("a.html"));
    QCOMPARE(QDir::cleanPath(shell.fileRequests.at(1).folder), shell.program + "sub");

    // Open offers HTML files first and starts where the last page was saved or opened.
    shell.frame()->RouteCommand(cmd::FileOpen);
    const FileDialogRequest &open = shell.fileRequests.at(2);
    QVERIFY(open.open);
    QCOMPARE(ToQtFileFilter(open.filter),
             QStringLiteral("HTML files (*.htm *.html);;All Files (*)"));
    QCOMPARE(QDir::cleanPath(open.folder), shell.program + "sub");
}

void tst_CCEditView::openDialogFillsInNoFileName()
{
    // The real dialog, asked to start in a remembered folder that does not exist yet.
    ViewFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    SetFileDialogHook({});
    QString typed = "unset", folder, filter;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QFileDialog *>(QApplication::activeModalWidget()));
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (auto *name = dialog->findChild<QLineEdit *>("fileNameEdit"))
            typed = name->text();
        folder = QDir::cleanPath(dialog->directory().absolutePath());
        filter = dialog->selectedNameFilter();
        dialog->reject();
    });
    shell.frame()->RouteCommand(cmd::FileOpen);
    QCOMPARE(typed, QString());
    QCOMPARE(folder, QDir::cleanPath(shell.program));
    QCOMPARE(filter, QStringLiteral("HTML files (*.htm *.html)"));
}

void tst_CCEditView::newWindowIsAReadOnlyCopy()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->reportTitle("Report");
    shell.site->content = "edited";
    shell.site->modified = true;
    shell.frame()->RouteCommand(cmd::WindowNew);
    QCOMPARE(shell.frame()->OpenChildren().size(), 2);
    auto *copy = qobject_cast<CCEditView *>(shell.frame()->OpenChildren().last()->GetActiveView());
    QVERIFY(copy && copy != shell.view);
    QVERIFY(copy->IsReadOnly());
    QVERIFY(!shell.view->IsReadOnly());
    QCOMPARE(copy->PagePath(), shell.path);
    QVERIFY(copy->GetDocument()->GetTitle().endsWith(" (read-only)"));
    RecordingSite *copySite = ShellFixture::siteOf(copy);
    shell.settle();
    QCOMPARE(copySite->content, QStringLiteral("<html><head></head><body>text</body></html>"));
    QCOMPARE(copySite->callsOf(EngineId::BrowseMode).size(), 1); // shown, not edited
    copySite->reportTitle("Report");
    QCOMPARE(copy->GetDocument()->GetTitle(), QStringLiteral("Report : a (read-only)"));

    // Nothing in it edits or saves; viewing commands stay.
    copySite->flags = {{EngineId::Bold, EngineFlag::Enabled},
                       {EngineId::Copy, EngineFlag::Enabled},
                       {EngineId::FontName, EngineFlag::Enabled}};
    QVERIFY(shell.frame()->ActiveView() == copy);
    for (int id : {cmd::FileSave, cmd::SaveAs, cmd::Bold, cmd::HorizontalRule, cmd::EditorMode,
                   cmd::PelionExtensions})
        QVERIFY2(!shell.frame()->IsCommandEnabled(id), qPrintable(QString::number(id)));
    QVERIFY(shell.frame()->IsCommandEnabled(cmd::Copy));
    QVERIFY(shell.frame()->IsCommandEnabled(cmd::FileClose));
    shell.frame()->RouteCommand(cmd::FileSave);
    shell.frame()->RouteCommand(cmd::Bold);
    QVERIFY(copySite->saves.isEmpty());
    QVERIFY(copySite->callsOf(EngineId::Bold).isEmpty());

    // Closing it asks nothing; the editing window is asked about its page once.
    copy->parentWidget()->close();
    QVERIFY(shell.waitForPages(1));
    QVERIFY(shell.messages.isEmpty());
    QCOMPARE(shell.file(shell.path), std::string("<html><head></head><body>text</body></html>"));
}

void tst_CCEditView::contextMenuOffersWhatApplies_data()
{
    QTest::addColumn<QList<int>>("enabled"); // engine ids the component enables
    QTest::addColumn<QList<int>>("latched");
    QTest::addColumn<QStringList>("items");
    const QStringList clipboard{"Cu&t", "&Copy", "&Paste"};
    QTest::newRow("plain-text") << QList<int>{EngineId::Cut, EngineId::Copy} << QList<int>{}
                                << clipboard;
    QTest::newRow("text-that-links") << QList<int>{EngineId::Hyperlink} << QList<int>{}
                                     << clipboard + QStringList{"-", "&Link..."};
    QTest::newRow("in-a-table") << QList<int>{EngineId::InsertRow, EngineId::Hyperlink}
                                << QList<int>{}
                                << clipboard + QStringList{"-",
                                                           "Insert &Row",
                                                           "Insert &Column",
                                                           "&Insert Cell",
                                                           "Delete Ro&ws",
                                                           "Delete Colu&mns",
                                                           "Delete C&ells",
                                                           "&Merge Cells",
                                                           "&Split Cell",
                                                           "-",
                                                           "&Link..."};
    QTest::newRow("static-block") << QList<int>{EngineId::MakeAbsolute} << QList<int>{}
                                  << clipboard + QStringList{"-", "&Absolute"};
    QTest::newRow("positioned-box") << QList<int>{EngineId::MakeAbsolute, EngineId::BringToFront}
                                    << QList<int>{EngineId::MakeAbsolute}
                                    << clipboard + QStringList{"-",
                                                               "&Absolute",
                                                               "Bring to &Front",
                                                               "Send to &Back",
                                                               "Bring Fo&rward",
                                                               "Send Bac&kward",
                                                               "Bring above te&xt",
                                                               "Send belo&w text",
                                                               "&Move Object...",
                                                               "&Lock Object"};
}

void tst_CCEditView::contextMenuOffersWhatApplies()
{
    QFETCH(QList<int>, enabled);
    QFETCH(QList<int>, latched);
    QFETCH(QStringList, items);
    ViewFixture shell;
    QVERIFY(shell.openPage());
    for (int id : enabled)
        shell.site->flags[id] = EngineFlag::Enabled;
    for (int id : latched)
        shell.site->flags[id] |= EngineFlag::Latched;
    std::unique_ptr<QMenu> menu(shell.view->CreateContextMenu(nullptr));
    QStringList texts;
    for (QAction *action : menu->actions())
        texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    QCOMPARE(texts, items);
    // Items follow their commands: Paste is off without a picture or text to paste here, the
    // table and position items route to the view.
    QCOMPARE(menu->actions().at(0)->isEnabled(), enabled.contains(EngineId::Cut));
    if (enabled.contains(EngineId::InsertRow)) {
        menu->actions().at(4)->trigger();
        QCOMPARE(shell.site->callsOf(EngineId::InsertRow).size(), 1);
    }
    if (latched.contains(EngineId::MakeAbsolute))
        QVERIFY(menu->actions().at(4)->isChecked());
}

void tst_CCEditView::saveAndSaveAs()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->content = "edited";
    QVERIFY(shell.frame()->IsCommandEnabled(cmd::FileSave));
    QVERIFY(shell.frame()->IsCommandEnabled(cmd::SaveAs));
    shell.frame()->RouteCommand(cmd::FileSave);
    QCOMPARE(shell.file(shell.path), std::string("edited"));
    QCOMPARE(shell.app->RecentFileList()->Entries(), QStringList{shell.path});

    const QString other = shell.program + "b.html";
    shell.fileAnswers = {QString(), other};
    shell.frame()->RouteCommand(cmd::SaveAs); // cancelled
    shell.frame()->RouteCommand(cmd::SaveAs);
    const FileDialogRequest &request = shell.fileRequests.at(0);
    QVERIFY(!request.open);
    QVERIFY(request.overwritePrompt);
    QCOMPARE(request.filter,
             QStringLiteral("HTML File (*.html)|*.html|HTML Template (*.htt)|*.htt||"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("html"));
    QCOMPARE(shell.view->PagePath(), other);
    QCOMPARE(shell.file(other), std::string("edited"));
    QCOMPARE(shell.app->RecentFileList()->Entries(), (QStringList{other, shell.path}));
    QCOMPARE(shell.view->GetDocument()->GetTitle(), QStringLiteral("Pelion2")); // not retitled

    // A save that fails is reported, and the page keeps its path.
    shell.site->saveOk = false;
    shell.fileAnswers = {shell.program + "c.html"};
    shell.frame()->RouteCommand(cmd::SaveAs);
    QCOMPARE(shell.view->PagePath(), other);
    QCOMPARE(shell.messages.size(), 1);
    QVERIFY(shell.messages.at(0).text.startsWith("The page could not be saved."));
}

void tst_CCEditView::reload()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.messageAnswers = {QMessageBox::Cancel, QMessageBox::Ok};
    shell.frame()->RouteCommand(cmd::Reload);
    QCOMPARE(shell.site->loads.size(), 1);
    QCOMPARE(shell.messages.at(0).text, QStringLiteral("Reload the last saved version?"));
    QCOMPARE(shell.messages.at(0).buttons, QMessageBox::Ok | QMessageBox::Cancel);
    util::WriteFileAtomic(fromQt(shell.path), "saved elsewhere");
    shell.frame()->RouteCommand(cmd::Reload);
    QCOMPARE(shell.site->loads, (QStringList{shell.path, shell.path}));
    QCOMPARE(shell.site->content, QStringLiteral("saved elsewhere"));
    QTRY_VERIFY(!QApplication::overrideCursor());
}

void tst_CCEditView::closeQuestion_data()
{
    QTest::addColumn<int>("saveMode");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("closes");
    QTest::newRow("yes-to-all") << 0 << 0 << false << true << true;
    QTest::newRow("no-to-all") << 1 << 0 << false << false << true;
    QTest::newRow("ask-yes") << 2 << int(QMessageBox::Yes) << true << true << true;
    QTest::newRow("ask-no") << 2 << int(QMessageBox::No) << true << false << true;
    // Cancel keeps the window and the page as they are.
    QTest::newRow("ask-cancel") << 2 << int(QMessageBox::Cancel) << true << false << false;
}

void tst_CCEditView::closeQuestion()
{
    QFETCH(int, saveMode);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(bool, saved);
    QFETCH(bool, closes);
    ViewFixture shell;
    QVERIFY(shell.openPage());
    CCEditView *second = shell.open(shell.writePage("b.html", "b"));
    QVERIFY(second);
    shell.site->content = "edited";
    shell.frame()->SetSaveMode(short(saveMode));
    if (answer)
        shell.messageAnswers = {QMessageBox::StandardButton(answer)};
    RecordingSite *site = shell.site;
    shell.view->parentWidget()->close();
    // Only that page: the other window is not asked about.
    QVERIFY(shell.waitForPages(closes ? 1 : 2));
    QCOMPARE(shell.messages.size(), asked ? 1 : 0);
    if (asked) {
        QCOMPARE(shell.messages.at(0).text, QStringLiteral("Would you like to save a.html?"));
        QCOMPARE(shell.messages.at(0).buttons,
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
    QCOMPARE(shell.file(shell.path) == "edited", saved);
    QCOMPARE(site->closed, closes);
    if (!closes) {
        QCOMPARE(site->content, QStringLiteral("edited"));
        QCOMPARE(shell.view->PagePath(), shell.path);
    }
}

void tst_CCEditView::closeQuestionEscape_data()
{
    QTest::addColumn<bool>("closeButton");
    QTest::newRow("escape-key") << false;
    QTest::newRow("close-button") << true;
}

void tst_CCEditView::closeQuestionEscape()
{
    // The real message box, answered by a key press or by its window's close button.
    QFETCH(bool, closeButton);
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->content = "edited";
    SetMessageBoxHook({});
    QString shownText;
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(qobject_cast<QMessageBox *>(QApplication::activeModalWidget()));
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        shownText = box->text();
        if (closeButton)
            box->close();
        else
            QTest::keyClick(box, Qt::Key_Escape);
    });
    shell.view->parentWidget()->close();
    shell.settle();
    QCOMPARE(shownText, QStringLiteral("Would you like to save a.html?"));
    QCOMPARE(shell.frame()->OpenChildren().size(), 1);
    QVERIFY(!shell.site->closed);
    QCOMPARE(shell.site->content, QStringLiteral("edited"));
    QCOMPARE(shell.file(shell.path), std::string("<html><head></head><body>text</body></html>"));
}

void tst_CCEditView::failedSaveKeepsTheWindow()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->saveOk = false;
    shell.messageAnswers = {QMessageBox::Yes};
    shell.view->parentWidget()->close();
    shell.settle();
    QCOMPARE(shell.frame()->OpenChildren().size(), 1);
    QCOMPARE(shell.messages.size(), 2);
    QVERIFY(shell.messages.at(1).text.startsWith("The page could not be saved."));
    QVERIFY(!shell.site->closed);
}

void tst_CCEditView::filteredOpenAndSave()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    QVERIFY(!shell.frame()->IsCommandEnabled(cmd::FilteredSave));

    shell.frame()->RouteCommand(cmd::FilteredOpen); // cancelled
    QVERIFY(!shell.app->PendingFilter);
    QCOMPARE(shell.fileRequests.at(0).filter,
             QStringLiteral("HTML files (*.htm)|*.htm|All Files (*.*)|*.*||"));

    const QString page = shell.writePage("filtered.htm", "<%= x %>");
    shell.fileAnswers = {page};
    shell.app->Options().filterServerScript = false;
    shell.frame()->RouteCommand(cmd::FilteredOpen);
    shell.settle();
    auto *view = qobject_cast<CCEditView *>(shell.frame()->ActiveView());
    QVERIFY(view && view != shell.view);
    QVERIFY(view->FilterOnLoad());
    QVERIFY(!shell.app->PendingFilter);
    RecordingSite *site = ShellFixture::siteOf(view);
    QVERIFY(site->lastFiltered);
    QCOMPARE(site->lastFilterFlags, 2 + 16);
    QVERIFY(shell.frame()->IsCommandEnabled(cmd::FilteredSave));

    const QString target = shell.program + "out.htm";
    shell.fileAnswers = {target};
    shell.frame()->RouteCommand(cmd::FilteredSave);
    const FileDialogRequest &request = shell.fileRequests.last();
    QCOMPARE(request.fileName, QStringLiteral("filtered.htm"));
    QCOMPARE(request.defaultSuffix, QStringLiteral("HTML"));
    QCOMPARE(site->filteredSaves, QStringList{target});
    QCOMPARE(view->PagePath(), target);
    QCOMPARE(shell.app->PendingPath, target);
    QCOMPARE(shell.app->RecentFileList()->Entry(0), target);
}

// --- Engine command table ---------------------------------------------------------------------

void tst_CCEditView::engineTable_data()
{
    QTest::addColumn<int>("menuId");
    QTest::addColumn<int>("engineId");
    QTest::addColumn<bool>("prompt");
    QTest::addColumn<QVariant>("input");
    const QVariant none;
    QTest::newRow("image") << 32838 << 41 << true << none;
    QTest::newRow("link") << 32836 << 40 << true << none;
    QTest::newRow("font-dialog") << 32811 << 35 << true << none;
    QTest::newRow("align-left") << 32828 << 45 << false << none;
    QTest::newRow("align-right") << 32829 << 46 << false << none;
    QTest::newRow("center") << 32827 << 44 << false << none;
    QTest::newRow("number-list") << 32834 << 47 << false << none;
    QTest::newRow("bullet-list") << 32831 << 60 << false << none;
    QTest::newRow("indent") << 32833 << 42 << false << none;
    QTest::newRow("outdent") << 32832 << 48 << false << none;
    QTest::newRow("undo") << 32806 << 58 << false << none;
    QTest::newRow("redo") << 32807 << 52 << false << none;
    QTest::newRow("delete") << 32809 << 32 << false << none;
    QTest::newRow("select-all") << 32810 << 54 << false << none;
    QTest::newRow("find") << 32802 << 34 << true << none;
    QTest::newRow("cut") << 32803 << 31 << false << none;
    QTest::newRow("copy") << 32804 << 30 << false << none;
    QTest::newRow("paste") << 32805 << 50 << false << none;
    QTest::newRow("bold") << 32821 << 28 << false << none;
    QTest::newRow("italic") << 32825 << 43 << false << none;
    QTest::newRow("underline") << 32826 << 57 << false << none;
    QTest::newRow("print-toolbar") << 32801 << 51 << false << none;
    QTest::newRow("print-menu") << 32808 << 51 << true << none;
    QTest::newRow("insert-row") << 32846 << 14 << false << none;
    QTest::newRow("insert-column") << 32847 << 15 << false << none;
    QTest::newRow("delete-rows") << 32848 << 16 << false << none;
    QTest::newRow("delete-columns") << 32849 << 17 << false << none;
    QTest::newRow("merge") << 32850 << 18 << false << none;
    QTest::newRow("split") << 32851 << 19 << false << none;
    QTest::newRow("insert-cell") << 32852 << 20 << false << none;
    QTest::newRow("delete-cells") << 32853 << 21 << false << none;
    QTest::newRow("absolute") << 32854 << 4 << false << none;
    QTest::newRow("lock") << 32855 << 5 << false << none;
    QTest::newRow("send-to-back") << 32856 << 6 << false << none;
    QTest::newRow("bring-to-front") << 32857 << 7 << false << none;
    QTest::newRow("send-backward") << 32858 << 8 << false << none;
    QTest::newRow("bring-forward") << 32859 << 9 << false << none;
    QTest::newRow("below-text") << 32860 << 10 << false << none;
    QTest::newRow("above-text") << 32861 << 11 << false << none;
    QTest::newRow("constrain") << 32862 << 12 << false << QVariant(true);
    QTest::newRow("editor-mode") << 32980 << 33 << false << none;
    QTest::newRow("browser-mode") << 32981 << 29 << false << none;
}

void tst_CCEditView::engineTable()
{
    QFETCH(int, menuId);
    QFETCH(int, engineId);
    QFETCH(bool, prompt);
    QFETCH(QVariant, input);
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->calls.clear();
    shell.frame()->RouteCommand(menuId);
    const QList<EngineCall> calls = shell.site->commandCalls();
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.at(0).id, engineId);
    QCOMPARE(calls.at(0).prompt, prompt);
    QCOMPARE(calls.at(0).input, input);
}

void tst_CCEditView::rowsWithoutEffect()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    QCOMPARE(int(EngineCommandRowCount()), 47);
    // The table's second 32810 row is never reached: the first one answers.
    int selectAllRows = 0;
    for (size_t i = 0; i < EngineCommandRowCount(); ++i)
        selectAllRows += EngineCommandRows()[i].menuId == cmd::SelectAll;
    QCOMPARE(selectAllRows, 2);
    QCOMPARE(FindEngineCommandRow(cmd::SelectAll), &EngineCommandRows()[13]);

    shell.site->calls.clear();
    for (int id : {32800, 32866, 32870, 32886, 32887})
        shell.frame()->RouteCommand(id);
    QVERIFY(shell.site->commandCalls().isEmpty());
    // Their items keep whatever state they had.
    for (bool enabled : {true, false}) {
        const CCmdUI ui = shell.update(32870, enabled, enabled);
        QCOMPARE(ui.IsEnabled(), enabled);
        QCOMPARE(ui.IsChecked(), enabled);
    }
    // Insert Table never runs the component's command 22: the table dialog inserts the HTML.
    shell.view->SetTableDialog([](QWidget *, QString &html) {
        html = "<table><tr><td></td></tr></table>";
        return true;
    });
    shell.frame()->RouteCommand(cmd::InsertTable);
    QVERIFY(shell.site->callsOf(EngineId::InsertTable).isEmpty());
    QCOMPARE(shell.site->inserted, QStringList{"<table><tr><td></td></tr></table>"});
}

void tst_CCEditView::updatesFollowTheComponent_data()
{
    QTest::addColumn<int>("menuId");
    QTest::addColumn<int>("engineId");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("checked");
    QTest::newRow("bold-latched") << 32821 << 28 << 2 + 4 << true << true;
    QTest::newRow("bold-enabled") << 32821 << 28 << 2 << true << false;
    QTest::newRow("bold-disabled") << 32821 << 28 << 0 << false << false;
    QTest::newRow("latched-only") << 32854 << 4 << 4 << false << true;
    QTest::newRow("underline") << 32826 << 57 << 2 + 4 << true << true;
    // Undo is no toggle: its rule never touches a check mark (the item has no check box).
    QTest::newRow("undo") << 32806 << 58 << 2 + 4 << true << false;
    QTest::newRow("browser-mode") << 32981 << 29 << 2 + 4 << true << true;
}

void tst_CCEditView::updatesFollowTheComponent()
{
    QFETCH(int, menuId);
    QFETCH(int, engineId);
    QFETCH(int, flags);
    QFETCH(bool, enabled);
    QFETCH(bool, checked);
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->flags[engineId] = flags;
    const CCmdUI ui = shell.update(menuId, !enabled, !checked);
    const bool latching = IsLatchingEngineCommand(engineId);
    QCOMPARE(ui.IsEnabled(), enabled);
    QCOMPARE(ui.CheckWasSet(), latching);
    if (latching)
        QCOMPARE(ui.IsChecked(), checked);

    // Toolbar buttons follow when the component reports new state.
    shell.site->reportUpdate();
    shell.settle();
    for (QToolBar *bar : shell.frame()->findChildren<QToolBar *>()) {
        for (QAction *action : bar->actions()) {
            if (CMDIFrameWnd::CommandIdOf(action) == menuId) {
                QCOMPARE(action->isEnabled(), enabled);
                QCOMPARE(action->isChecked(), checked);
                QCOMPARE(action->isCheckable(), latching);
            }
        }
    }
}

void tst_CCEditView::enablingRules()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    CTandemTabViewBar *side = shell.frame()->SideBar();
    const int inserts[] = {2979,  32841, 32970, 33012, 33025, 33038, 33039, 33040, 33043, 33044,
                           33045, 33046, 33047, 32977, 32968, 33011, 33014, 33015, 33054};
    for (int fontName : {0, int(EngineFlag::Enabled)}) {
        shell.site->flags[EngineId::FontName] = fontName;
        for (int id : inserts)
            QVERIFY2(shell.update(id).IsEnabled() == bool(fontName),
                     qPrintable(QString::number(id)));
        // Record Sound inserts nothing: it only needs a page.
        QVERIFY(shell.update(cmd::RecordSound, false).IsEnabled());
        QCOMPARE(side->Panel(CTandemTabViewBar::MediaTab)->isEnabled(), bool(fontName));
        QCOMPARE(side->Panel(CTandemTabViewBar::ObjectsTab)->isEnabled(), bool(fontName));
        QVERIFY(side->Panel(CTandemTabViewBar::PropertiesTab)->isEnabled());
    }
    shell.app->Options().showDetails = true;
    QVERIFY(shell.update(cmd::Tags).IsChecked());
    shell.app->Options().showDetails = false;
    QVERIFY(!shell.update(cmd::Tags).IsChecked());

    for (int flags : {0, int(EngineFlag::Enabled)}) {
        shell.site->flags[EngineId::FontColor] = flags;
        shell.site->flags[EngineId::BlockFormat] = flags;
        QCOMPARE(shell.update(cmd::FontColor).IsEnabled(), bool(flags));
        QCOMPARE(shell.update(cmd::FormatPopup).IsEnabled(), bool(flags));
        QCOMPARE(shell.update(cmd::Style).IsEnabled(), bool(flags));
    }
    QVERIFY(shell.update(cmd::FileSave, false).IsEnabled());
    QVERIFY(shell.update(cmd::SaveAs, false).IsEnabled());

    QApplication::clipboard()->setText("words");
    QVERIFY(!shell.update(cmd::PasteSpecial).IsEnabled());
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QApplication::clipboard()->setImage(picture);
    QVERIFY(shell.update(cmd::PasteSpecial).IsEnabled());
}

void tst_CCEditView::noEnabledItemWithoutHandler()
{
    ViewFixture shell;
    // Every menu item and toolbar button that its update leaves enabled, with no page open and
    // with a page whose component offers everything, reaches a handler (or opens its submenu).
    const auto deadItems = [&shell] {
        shell.frame()->UpdateCommandUI();
        QStringList dead;
        for (QAction *action : shell.frame()->findChildren<QAction *>()) {
            const int id = CMDIFrameWnd::CommandIdOf(action);
            if (id > 0 && action->isEnabled() && !action->menu() &&
                !shell.frame()->OnCmdMsg(id, CCmdTarget::Offer::Probe, nullptr))
                dead << QStringLiteral("%1 %2").arg(id).arg(action->text());
        }
        dead.removeDuplicates();
        return dead;
    };
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    QVERIFY2(deadItems().isEmpty(), qPrintable(deadItems().join(", ")));

    QApplication::clipboard()->setText("words");
    shell.path = shell.writePage("a.html", "<html><body>text</body></html>");
    shell.view = shell.open(shell.path);
    shell.site = ShellFixture::siteOf(shell.view);
    QVERIFY(shell.site);
    for (int engineId = 0; engineId <= 64; ++engineId)
        shell.site->flags[engineId] = EngineFlag::Enabled;
    QVERIFY(shell.frame()->ShowsPageMenu());
    QVERIFY2(deadItems().isEmpty(), qPrintable(deadItems().join(", ")));
}

void tst_CCEditView::failureShownOnlyWithPrompt_data()
{
    QTest::addColumn<int>("menuId");
    QTest::addColumn<int>("engineId");
    QTest::addColumn<bool>("shown");
    QTest::newRow("prompting-link") << 32836 << 40 << true;
    QTest::newRow("plain-bold") << 32821 << 28 << false;
    QTest::newRow("print-toolbar") << 32801 << 51 << false;
    QTest::newRow("print-menu") << 32808 << 51 << false;
}

void tst_CCEditView::failureShownOnlyWithPrompt()
{
    QFETCH(int, menuId);
    QFETCH(int, engineId);
    QFETCH(bool, shown);
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->results[engineId] = false;
    shell.frame()->RouteCommand(menuId);
    QCOMPARE(shell.messages.size(), shown ? 1 : 0);
}

// --- Format bar -------------------------------------------------------------------------------

void tst_CCEditView::formatBarRefresh_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<QVariant>("font");
    QTest::addColumn<QVariant>("size");
    QTest::addColumn<QVariant>("format");
    QTest::addColumn<int>("rememberedBefore");
    QTest::addColumn<QString>("fontShown");
    QTest::addColumn<QString>("sizeShown");
    QTest::addColumn<QString>("formatShown");
    QTest::addColumn<bool>("enabled");
    // The lists start showing "Beta" / "10" / "Normal", with size 2 remembered.
    QTest::newRow("follows") << 2 << QVariant("Gam") << QVariant(5) << QVariant("Heading 2") << 2
                             << "Gamma"
                             << "18"
                             << "Heading 2" << true;
    QTest::newRow("indeterminate")
        << 2 + 8 << QVariant("Gamma") << QVariant(5) << QVariant("Heading 2") << 2 << ""
        << ""
        << "" << true;
    QTest::newRow("disabled") << 0 << QVariant("Gamma") << QVariant(5) << QVariant("Address") << 2
                              << "Gamma"
                              << "18"
                              << "Address" << false;
    QTest::newRow("size-0") << 2 << QVariant("Beta") << QVariant(0) << QVariant("Normal") << 2
                            << "Beta"
                            << "10"
                            << "Normal" << true;
    QTest::newRow("same-size") << 2 << QVariant("Beta") << QVariant(5) << QVariant("Normal") << 5
                               << "Beta"
                               << "10"
                               << "Normal" << true;
    QTest::newRow("unknown-font") << 2 << QVariant("Zeta Sans") << QVariant() << QVariant() << 2
                                  << "Zeta Sans"
                                  << "10"
                                  << "Normal" << true;
}

void tst_CCEditView::formatBarRefresh()
{
    QFETCH(int, flags);
    QFETCH(QVariant, font);
    QFETCH(QVariant, size);
    QFETCH(QVariant, format);
    QFETCH(int, rememberedBefore);
    QFETCH(QString, fontShown);
    QFETCH(QString, sizeShown);
    QFETCH(QString, formatShown);
    QFETCH(bool, enabled);
    QWidget host;
    RecordingSite site(&host);
    QComboBox block(&host), fonts(&host), sizes(&host);
    block.setEditable(true);
    fonts.setEditable(true);
    block.addItems({"Normal", "Heading 1", "Heading 2", "Formatted", "Address"});
    fonts.addItems({"Alpha", "Beta", "Gamma"});
    sizes.addItems({"8", "10", "12", "14", "18", "24", "36"});
    block.setCurrentIndex(0);
    fonts.setCurrentIndex(1);
    sizes.setCurrentIndex(1);
    SetRememberedFontSize(rememberedBefore);
    site.flags[EngineId::FontName] = flags;
    site.outputs[EngineId::FontName] = font;
    site.outputs[EngineId::FontSize] = size;
    site.outputs[EngineId::BlockFormat] = format;
    RefreshFormatBar(site, {&block, &fonts, &sizes});
    QCOMPARE(fonts.currentText(), fontShown);
    QCOMPARE(sizes.currentText(), sizeShown);
    QCOMPARE(block.currentText(), formatShown);
    QCOMPARE(fonts.isEnabled(), enabled);
    QCOMPARE(sizes.isEnabled(), enabled);
    QCOMPARE(block.isEnabled(), enabled);
    if (sizeShown == "18")
        QCOMPARE(RememberedFontSize(), 5);
    SetRememberedFontSize(0);
}

void tst_CCEditView::formatBarChoices()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    CFormatBar *bar = shell.frame()->FormatBar();
    shell.site->outputs[EngineId::BlockFormatNames] = QStringList{"Normal", "Heading 1"};
    shell.site->calls.clear();
    bar->BlockFormatList()->setCurrentIndex(2);
    shell.frame()->RouteCommand(cmd::BlockFormatList);
    bar->FontNameList()->setCurrentIndex(0);
    shell.frame()->RouteCommand(cmd::FontNameList);
    bar->FontSizeList()->setCurrentIndex(4);
    shell.frame()->RouteCommand(cmd::FontSizeList);
    const QList<EngineCall> calls = shell.site->commandCalls();
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls.at(0).id, 27);
    QCOMPARE(calls.at(0).input, QVariant("Heading 2"));
    QCOMPARE(calls.at(1).id, 36);
    QCOMPARE(calls.at(1).input, QVariant(bar->FontNameList()->itemText(0)));
    QCOMPARE(calls.at(2).id, 37);
    QCOMPARE(calls.at(2).input, QVariant(5));
    // The block-format list was loaded on that first need.
    QCOMPARE(shell.view->BlockFormats(), (QStringList{"Normal", "Heading 1"}));
}

void tst_CCEditView::blockFormatMenus()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    QStringList names;
    for (int i = 0; i < 40; ++i)
        names << QStringLiteral("Format %1").arg(i);
    shell.site->outputs[EngineId::BlockFormatNames] = names;
    shell.site->outputs[EngineId::BlockFormat] = "Format 3";
    shell.site->flags[EngineId::BlockFormat] = EngineFlag::Enabled;
    QMenu *format = shell.frame()->menuBar()->actions().at(4)->menu();
    shell.frame()->UpdateMenu(format);
    QMenu *style = format->actions().at(0)->menu();
    QVERIFY(style);
    QCOMPARE(format->actions().at(0)->text(), QStringLiteral("&Style"));
    QCOMPARE(shell.view->BlockFormats().size(), 32); // at most 32 kept
    const QList<QAction *> items = style->actions();
    QCOMPARE(items.size(), 21); // ids 32922..32942
    QCOMPARE(items.first()->data().toInt(), 32922);
    QCOMPARE(items.last()->data().toInt(), 32942);
    for (QAction *item : items)
        QCOMPARE(item->isChecked(), item->text() == "Format 3");
    shell.site->calls.clear();
    shell.frame()->RouteCommand(32922 + 7);
    QCOMPARE(shell.site->commandCalls().size(), 1);
    QCOMPARE(shell.site->commandCalls().at(0).input, QVariant("Format 7"));
}

void tst_CCEditView::fontColourMarks_data()
{
    QTest::addColumn<int>("reported");
    QTest::addColumn<QString>("marked");
    QTest::newRow("red") << 0x0000FF << "Red";
    QTest::newRow("navy") << 0x800000 << "Navy";
    QTest::newRow("high-byte-ignored") << int(0x7F00FF00) << "Lime";
    QTest::newRow("automatic") << -1 << "Automatic";
    QTest::newRow("not-listed") << 0x123456 << "";
}

void tst_CCEditView::fontColourMarks()
{
    QFETCH(int, reported);
    QFETCH(QString, marked);
    CFontColorMenu menu(reported);
    QCOMPARE(menu.actions().size(), 17);
    QCOMPARE(menu.actions().at(0)->text(), QStringLiteral("Black"));
    QCOMPARE(menu.actions().at(16)->text(), QStringLiteral("Automatic"));
    QCOMPARE(menu.actions().at(16)->data().toInt(), 32888 + 16);
    const int index = menu.CheckedIndex();
    QCOMPARE(index < 0 ? QString() : menu.actions().at(index)->text(), marked);

    // Choosing an item passes its colour, red in the low byte.
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.frame()->RouteCommand(32888 + 9);  // Red
    shell.frame()->RouteCommand(32888 + 12); // Blue
    const QList<EngineCall> calls = shell.site->callsOf(EngineId::FontColor);
    QCOMPARE(calls.size(), 2);
    QCOMPARE(calls.at(0).input, QVariant(0x0000FF));
    QCOMPARE(calls.at(1).input, QVariant(0xFF0000));
}

void tst_CCEditView::gridRemembersAndMoveResets()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    QStringList starts;
    const auto answer = [&](const QString &x, const QString &y) {
        shell.dialogAnswers.push_back([&starts, x, y](CDialog &dialog) {
            auto &point = static_cast<CPointDlg &>(dialog);
            starts << point.XEdit()->text() + "," + point.YEdit()->text();
            point.XEdit()->setText(x);
            point.YEdit()->setText(y);
            point.accept();
            if (point.result() != QDialog::Accepted) { // refused: put right and confirm
                point.XEdit()->setText("8");
                point.YEdit()->setText("9");
                point.accept();
            }
            return point.result();
        });
    };
    answer("16", "32");
    shell.frame()->RouteCommand(cmd::SetGrid);
    answer("2000", "5");
    shell.frame()->RouteCommand(cmd::SetGrid);
    answer("4", "x");
    shell.frame()->RouteCommand(cmd::MoveObject);
    answer("600", "1");
    shell.frame()->RouteCommand(cmd::MoveObject);
    QCOMPARE(shell.dialogTitles, (QStringList{"Set Grid Cell Size", "Set Grid Cell Size",
                                              "Move Object", "Move Object"}));
    QCOMPARE(starts, (QStringList{"0,0", "16,32", "0,0", "0,0"}));
    QStringList texts;
    for (const MessageRequest &message : shell.messages)
        texts << message.text;
    QCOMPARE(texts,
             (QStringList{"Please enter an integer between 0 and 1024.", "Please enter an integer.",
                          "Please enter an integer between 0 and 512."}));
    QCOMPARE(shell.view->GridSize(), QPoint(8, 9));
    const QList<EngineCall> grid = shell.site->callsOf(EngineId::SetAlignmentGrid);
    QCOMPARE(grid.size(), 2);
    QCOMPARE(grid.at(0).input, QVariant(QPoint(16, 32)));
    QCOMPARE(grid.at(1).input, QVariant(QPoint(8, 9)));
    const QList<EngineCall> nudge = shell.site->callsOf(EngineId::NudgeElement);
    QCOMPARE(nudge.size(), 2);
    QCOMPARE(nudge.at(0).input, QVariant(QPoint(8, 9)));

    // Cancel runs nothing; Constrain flips on every use.
    shell.frame()->RouteCommand(cmd::SetGrid); // the fixture cancels unanswered dialogs
    QCOMPARE(shell.site->callsOf(EngineId::SetAlignmentGrid).size(), 2);
    shell.frame()->RouteCommand(cmd::Constrain);
    shell.frame()->RouteCommand(cmd::Constrain);
    const QList<EngineCall> constrain = shell.site->callsOf(EngineId::Constrain);
    QCOMPARE(constrain.at(0).input, QVariant(true));
    QCOMPARE(constrain.at(1).input, QVariant(false));
}

// --- View operations --------------------------------------------------------------------------

void tst_CCEditView::extensions_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("extended");
    const QByteArray plain =
        "<HTML><HEAD><TITLE>t</TITLE></HEAD>\r\n<BODY bgColor=#ffffff>x</BODY></HTML>";
    const QString question = "This file supports only basic HTML and not advanced features (popup "
                             "images, multimedia...).\nWould you like to add Pelion extensions to "
                             "this file?. ";
    QTest::newRow("already-extended")
        << QByteArray("<head><!-- \"qxlib.js\" --></head><body></body>") << 0
        << "This HTML file already supports Pelion extensions" << false;
    QTest::newRow("plain-no") << plain << int(QMessageBox::No) << question << false;
    QTest::newRow("plain-yes") << plain << int(QMessageBox::Yes) << question << true;
}

void tst_CCEditView::extensions()
{
    QFETCH(QByteArray, page);
    QFETCH(int, answer);
    QFETCH(QString, message);
    QFETCH(bool, extended);
    ViewFixture shell;
    QVERIFY(shell.openPage(page));
    shell.site->content += "<!-- unsaved edit -->";
    if (answer)
        shell.messageAnswers = {QMessageBox::StandardButton(answer)};
    shell.frame()->RouteCommand(cmd::PelionExtensions);
    QCOMPARE(shell.messages.size(), 1);
    QCOMPARE(shell.messages.at(0).text, message);
    QCOMPARE(shell.messages.at(0).buttons,
             answer ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
    const std::string file = shell.file(shell.path);
    if (!extended) {
        QCOMPARE(file, page.toStdString()); // untouched
        QCOMPARE(shell.site->saves.size(), 0);
        QCOMPARE(shell.site->loads.size(), 1);
        return;
    }
    // Saved first (the edit is in the file), patched, and reloaded with the blocks.
    QCOMPARE(shell.site->saves, QStringList{shell.path});
    QVERIFY(file.find("<!-- unsaved edit -->") != std::string::npos);
    QVERIFY(file.find("<!-- #Begin \"qxlib\" -->\r\n") != std::string::npos);
    QVERIFY(file.find("<BODY bgColor=#ffffff><!-- #Begin \"Moveable\" -->") != std::string::npos);
    QCOMPARE(shell.site->loads.size(), 2);
    QVERIFY(shell.site->content.contains("<!-- #Begin \"MPlyr\" -->"));
    // A second run only reports it.
    shell.frame()->RouteCommand(cmd::PelionExtensions);
    QCOMPARE(shell.messages.last().text,
             QStringLiteral("This HTML file already supports Pelion extensions"));
}

void tst_CCEditView::optionsAcrossTwoPages()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    CCEditView *second = shell.open(shell.writePage("b.html", "<p>b</p>"));
    RecordingSite *other = ShellFixture::siteOf(second);
    shell.frame()->ActivateChild(qobject_cast<CMDIChildWnd *>(shell.view->parentWidget()));
    QCOMPARE(shell.frame()->ActiveView(), shell.view);
    shell.site->calls.clear();
    other->calls.clear();

    for (bool ok : {false, true}) {
        shell.dialogAnswers.push_back([ok](CDialog &dialog) {
            auto &sheet = static_cast<CPropertySheet &>(dialog);
            QStringList tabs;
            for (int i = 0; i < sheet.Tabs()->count(); ++i)
                tabs << sheet.Tabs()->tabText(i);
            [&] { QCOMPARE(tabs, (QStringList{"UI Activation", "Source Filtering", "Misc"})); }();
            sheet.SetActivePage(2);
            for (QCheckBox *box : sheet.Page(2)->findChildren<QCheckBox *>()) {
                if (box->text() == "Show &borders around objects with zero borders")
                    box->setChecked(false);
            }
            if (ok)
                sheet.accept();
            else
                sheet.reject();
            return sheet.result();
        });
        shell.frame()->RouteCommand(cmd::Options);
        QCOMPARE(shell.app->Options().showBorders, !ok);
    }
    QCOMPARE(shell.dialogTitles, (QStringList{"Pelion", "Pelion"}));
    // Cancel applied nothing; OK applied the five options to this page only, in their order.
    QList<int> ids;
    for (const EngineCall &call : shell.site->commandCalls())
        ids << call.id;
    QCOMPARE(ids, (QList<int>{25, 23, 24, 56, 55}));
    QCOMPARE(shell.site->callsOf(EngineId::ShowBorders).at(0).input, QVariant(false));
    QVERIFY(other->commandCalls().isEmpty());
}

void tst_CCEditView::filterFlags_data()
{
    QTest::addColumn<bool>("dtcs");
    QTest::addColumn<bool>("serverScript");
    QTest::addColumn<bool>("formatting");
    QTest::addColumn<int>("flags");
    QTest::newRow("none") << false << false << false << 1;
    QTest::newRow("formatting-only") << false << false << true << 16;
    QTest::newRow("all") << true << true << true << 26;
    QTest::newRow("dtcs-only") << true << false << false << 2;
}

void tst_CCEditView::filterFlags()
{
    QFETCH(bool, dtcs);
    QFETCH(bool, serverScript);
    QFETCH(bool, formatting);
    QFETCH(int, flags);
    EditingOptions options;
    QCOMPARE(FilterFlags(options), 26); // the defaults
    options.filterDTCs = dtcs;
    options.filterServerScript = serverScript;
    options.filterSourceFormatting = formatting;
    QCOMPARE(FilterFlags(options), flags);
}

void tst_CCEditView::tagsToggleShowDetails()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->calls.clear();
    shell.frame()->RouteCommand(cmd::Tags);
    QVERIFY(shell.app->Options().showDetails);
    shell.frame()->RouteCommand(cmd::Tags);
    QVERIFY(!shell.app->Options().showDetails);
    const QList<EngineCall> details = shell.site->callsOf(EngineId::ShowDetails);
    QCOMPARE(details.size(), 2);
    QCOMPARE(details.at(0).input, QVariant(true));
    QCOMPARE(details.at(1).input, QVariant(false));
    QCOMPARE(shell.site->commandCalls().size(), 10);
}

void tst_CCEditView::dialogFreeInserts()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    QCOMPARE(shell.app->TextBoxCycle().NextId(), 131);
    for (int id : {cmd::HorizontalRule, cmd::NewLine, cmd::NewParagraph})
        shell.frame()->RouteCommand(id);
    QCOMPARE(shell.site->inserted, (QStringList{"<HR>", "<br>", "<p>"}));
    shell.site->inserted.clear();
    for (int i = 0; i < 6; ++i)
        shell.frame()->RouteCommand(cmd::TextBox);
    const QStringList lefts{"10px", "50px", "70px", "120px", "140px", "10px"};
    QCOMPARE(shell.site->inserted.size(), 6);
    for (int i = 0; i < 6; ++i)
        QVERIFY2(shell.site->inserted.at(i).contains("LEFT: " + lefts.at(i) + ";"),
                 qPrintable(shell.site->inserted.at(i)));
    QCOMPARE(
        shell.site->inserted.at(0),
        QStringLiteral("<DIV style=\"HEIGHT: 100px; LEFT: 10px; POSITION: absolute; TOP: 10px; "
                       "WIDTH: 200px\">&nbsp;</DIV>"));
    // Into an object selection nothing goes, and nothing is said.
    shell.site->insertOk = false;
    shell.frame()->RouteCommand(cmd::HorizontalRule);
    QVERIFY(shell.messages.isEmpty());
}

void tst_CCEditView::insertDialogs_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("name"); // typed into the name box (1011) when not empty
    QTest::addColumn<QString>("html");

    const QString row = "  <TR>\r\n    <TD>&nbsp</TD>\r\n    <TD>&nbsp</TD>\r\n  </TR>\r\n";
    QTest::newRow("form") << int(cmd::InsertForm) << "Form Design"
                          << "f"
                          << "<form method=\"POST\" action=\"path-to-your-cgi\" name=\"f\"><p>&nbsp"
                             "</p><p>&nbsp</p></form>";
    QTest::newRow("button") << int(cmd::InsertButton) << "Add Form Button"
                            << "b"
                            << "<input type=\"button\" value=\"\" name=\"b\">";
    QTest::newRow("checkbox") << int(cmd::InsertCheckbox) << "Add CheckBox"
                              << "c"
                              << "<input type=\"checkbox\" name=\"c\" value=\"ON\" >";
    QTest::newRow("radio") << int(cmd::InsertRadio) << "Add Radio Button"
                           << "g"
                           << "<input type=\"radio\" value=\"\" name=\"g\" >";
    QTest::newRow("list") << int(cmd::InsertListMenu) << "Add List / Menu"
                          << ""
                          << "<select size=\"1\" name=\"List1\"></select>";
    QTest::newRow("text field") << int(cmd::InsertTextField) << "Add Text Field"
                                << "t"
                                << "<input type=\"text\" value=\"\" name=\"t\" size=\"20\">";
    QTest::newRow("table") << int(cmd::InsertTable) << "Insert Table"
                           << ""
                           << "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n" + row + row + row +
                                  "</TABLE>\r\n";
}

void tst_CCEditView::insertDialogs()
{
    QFETCH(int, id);
    QFETCH(QString, title);
    QFETCH(QString, name);
    QFETCH(QString, html);
    ViewFixture shell;
    QVERIFY(shell.openPage());
    shell.site->flags[EngineId::FontName] = EngineFlag::Enabled;
    QVERIFY(shell.update(id).IsEnabled());
    // Cancel inserts nothing; OK inserts the element once.
    shell.frame()->RouteCommand(id);
    QVERIFY(shell.site->inserted.isEmpty());
    shell.dialogAnswers.push_back([name](CDialog &dialog) {
        if (auto *box = dialog.findChild<QLineEdit *>("1011"); box && !name.isEmpty())
            box->setText(name);
        return AcceptDialog(dialog);
    });
    shell.frame()->RouteCommand(id);
    QCOMPARE(shell.dialogTitles, (QStringList{title, title}));
    QCOMPARE(shell.site->inserted, QStringList{html});
    QVERIFY(shell.messages.isEmpty());
}

void tst_CCEditView::mediaInsertions()
{
    ViewFixture shell;
    QVERIFY(shell.openPage());
    QDir(shell.program).mkpath("clips");
    const QString clip = shell.writePage("clips/My Clip.avi", "RIFF");
    // The Sound/Media command: the dialog with the video flag, the file copied beside the page.
    QString presetName;
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        presetName = dialog.findChild<QLineEdit *>("1003")->text();
        dialog.findChild<QLineEdit *>("1003")->setText("intro");
        for (QLineEdit *edit : dialog.findChildren<QLineEdit *>()) {
            if (edit->parentWidget()->objectName() == "1002")
                edit->setText(clip);
        }
        return AcceptDialog(dialog);
    });
    shell.frame()->RouteCommand(cmd::InsertMedia);
    QCOMPARE(shell.dialogTitles, QStringList{"Insert media"});
    QCOMPARE(presetName, QString());
    QCOMPARE(shell.site->inserted.size(), 1);
    QVERIFY2(shell.site->inserted.at(0).startsWith(
                 "<OBJECT align=left classid=CLSID:22D6F312-B0F6-11D0-94AB-0080C74C7E95 "
                 "id=\"intro\">\r\n<PARAM NAME=\"FileName\" VALUE=\"My Clip.avi\">\r\n"),
             qPrintable(shell.site->inserted.at(0)));
    QVERIFY(QFile::exists(shell.program + "My Clip.avi"));

    // A gallery preset names the object after the file; the quick insert takes the defaults.
    shell.site->inserted.clear();
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        presetName = dialog.findChild<QLineEdit *>("1003")->text();
        return AcceptDialog(dialog);
    });
    shell.view->InsertMediaWithDialog(clip, false);
    QCOMPARE(presetName, QStringLiteral("My_Clip"));
    shell.view->QuickInsertMedia(clip);
    QCOMPARE(shell.site->inserted.size(), 2);
    QVERIFY(shell.site->inserted.at(0).contains("id=\"My_Clip\""));
    QVERIFY(shell.site->inserted.at(1).contains("id=\"My_Clip\""));
    QVERIFY(shell.site->inserted.at(1).contains("<PARAM NAME=\"PlayCount\" VALUE=\"1\">"));

    // Listening in the editor: the tag with the full path, nothing copied; stop switches modes.
    shell.site->inserted.clear();
    shell.view->PlaySoundInline("/sounds/bell.wav");
    QCOMPARE(shell.site->inserted, QStringList{"<BGSOUND SRC=\"/sounds/bell.wav\">"});
    shell.site->calls.clear();
    shell.view->StopPlayingSound();
    QCOMPARE(shell.site->commandCalls().size(), 2);
    QCOMPARE(shell.site->commandCalls().at(0).id, FindEngineCommandRow(cmd::BrowserMode)->engineId);
    QCOMPARE(shell.site->commandCalls().at(1).id, FindEngineCommandRow(cmd::EditorMode)->engineId);
}

int main(int argc, char **argv)
{
    tst_CCEditView test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CCEditView.moc"
