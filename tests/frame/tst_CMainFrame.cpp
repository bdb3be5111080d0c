#include "ShellTestSupport.h"

#include "engine/EngineIds.h"
#include "frame/CAboutDlg.h"
#include "frame/CFormatBar.h"
#include "frame/CSaveOnExitDlg.h"
#include "frame/CTandemTabViewBar.h"
#include "frame/CommandIcons.h"
#include "page/CCEditDoc.h"
#include "toolkit/CommandIds.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>

// "text=id" items, "-" separators, submenus as "Title{...}", joined with "|".
static QString DumpMenu(const QMenu *menu)
{
    QStringList items;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            items << QStringLiteral("-");
        else if (action->menu())
            items << action->text() + QLatin1Char('{') + DumpMenu(action->menu()) +
                         QLatin1Char('}');
        else
            items << action->text() + QLatin1Char('=') +
                         QString::number(CMDIFrameWnd::CommandIdOf(action));
    }
    return items.join(QLatin1Char('|'));
}

static QStringList DumpMenuBar(QMenuBar *bar)
{
    QStringList menus;
    for (QAction *action : bar->actions())
        menus << action->text() + QStringLiteral(": ") + DumpMenu(action->menu());
    return menus;
}

static QList<int> ButtonIds(QToolBar *bar)
{
    QList<int> ids;
    for (QAction *action : bar->actions()) {
        if (action->isSeparator())
            ids << 0;
        else if (const int id = CMDIFrameWnd::CommandIdOf(action))
            ids << id;
    }
    return ids;
}

class PageFixture : public ShellFixture
{
public:
    CCEditView *a = nullptr;
    CCEditView *b = nullptr;
    bool openTwo()
    {
        if (!start() || !waitForPages(0))
            return false;
        a = open(writePage(QStringLiteral("a.html"), "<html><body>a</body></html>"));
        b = open(writePage(QStringLiteral("b.html"), "<html><body>b</body></html>"));
        return a && b && frame()->ActiveView() == b;
    }
};

class tst_CMainFrame : public QObject
{
    Q_OBJECT

private slots:
    void menuWithoutPage();
    void menuWithPages();
    void toolbarButtons();
    void formatBarLists();
    void statusBarAndSideBar();
    void accelerators();
    void barTogglesShowChecks();
    void onlyLatchingItemsAreCheckable();
    void cascadeGivesUsableWindows();
    void defineSiteFromBothFileMenus();
    void aboutBoxAndFontListShowWholeTexts();
    void saveOnExit_data();
    void saveOnExit();
    void saveOnExitWithBlankPage();
    void failedSaveKeepsTheProgramOpen();
    void aboutAndHelpPages();
    void everyButtonHasAPicture();
};

void tst_CMainFrame::menuWithoutPage()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    QVERIFY(!shell.frame()->ShowsPageMenu());
    QCOMPARE(DumpMenuBar(shell.frame()->menuBar()),
             (QStringList{
                 "&File: &New\tCtrl+N=57600|-|&Open File...=57601|Open &URL...=32951|-|"
                 "Define &Site...=33023|Recent File=57616|-|E&xit=57665",
                 "&View: &Toolbar=59392|&Status Bar=59393",
                 "&Help: &About Pelion Web Builder...=57664|&Lessons=33058",
             }));
}

void tst_CMainFrame::menuWithPages()
{
    PageFixture shell;
    QVERIFY(shell.openTwo());
    QVERIFY(shell.frame()->ShowsPageMenu());
    const QStringList menus = DumpMenuBar(shell.frame()->menuBar());
    const QStringList expected{
        "&File: &New\tCtrl+N=57600|&Close=57602|-|&Open...=57601|Open &URL...=32951|"
        "&Reload=33041|-|&Save=57603|Save &As...=32963|-|Pelion &Extensions...=33022|"
        "Create &Frameset...=33061|Define &Site...=33023|-|&Print...=32808|-|Recent "
        "File=57616|-|E&xit=57665",
        "&Edit: &Undo\tCtrl+Z=32806|&Redo\tCtrl+Y=32807|-|Cu&t\tCtrl+X=32803|"
        "&Copy\tCtrl+C=32804|&Paste\tCtrl+V=32805|Paste &Special=32982|-|&Delete\tDel=32809|-|"
        "Select &All\tCtrl+A=32810|-|&Find Text...\tCtrl+F=32802",
        "&View: T&oolbar=59392|&Format Bar=32786|&Status Bar=59393|&Object Bar=32954|-|"
        "&Tags=32977|-|&Editor Mode=32980|&Browser Mode=32981|-|O&ptions...=32947",
        "&Insert: &Link...\tCtrl+K=32836|&Anchor...=33054|&Text Box=32970|-|"
        "&Image/Animation...=33025|Sound/&Media...=33038|-|&Horizontal Rule=33012|"
        "New Line\tShift+Enter=33039|New &Paragraph\tEnter=33040|-|&Form...=2979|"
        "Form &Element{Button...=33044|Checkbox...=33045|Radio button...=33046|"
        "List / Menu...=33047|Text field...=33043}|-|&HTML, JavaScript or VBScript...=32968|"
        "&Applet...=33011|Fla&sh...=33014|Shock&wave...=33015",
        // The update of the Style item makes it the block-format submenu (empty here: the
        // stand-in component offers no formats).
        "F&ormat: &Style{}|&Font...=32811|-|Align &Left=32828|&Center=32827|"
        "Align &Right=32829|-|&Bullet List=32831|&Number List=32834|-|"
        "&Increase Indent=32833|&Decrease Indent=32832",
        "T&able: Insert &Table...=32841|-|Insert &Row=32846|Insert &Column=32847|"
        "&Insert Cell=32852|-|Delete Ro&ws=32848|Delete Colu&mns=32849|Delete C&ells=32853|-|"
        "&Merge Cells=32850|&Split Cell=32851",
        "&Position: &Absolute=32854|-|Bring to &Front=32857|Send to &Back=32856|"
        "Bring Fo&rward=32859|Send Bac&kward=32858|Bring above te&xt=32861|"
        "Send belo&w text=32860|-|&Move Object...=32863|&Lock Object=32855|-|"
        "&Unidirectional Positioning=32862|Set &Grid...=32864",
        "&Tools: &Add/Edit...=32984|-",
        "&Window: &New Window=57648|&Cascade=57650|&Tile=57651|&Arrange Icons=57649",
        "&Help: &About Pelion Web Builder...=57664|&Lessons...=33058|&How to...=32976",
    };
    QCOMPARE(menus.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(menus.at(i), expected.at(i));
    QCOMPARE(shell.frame()->ToolsMenu(), shell.frame()->menuBar()->actions().at(7)->menu());

    // The Window menu lists the page windows when it opens, the active one checked.
    QMenu *window = shell.frame()->Menus().windowMenu;
    emit window->aboutToShow();
    QStringList entries;
    for (QAction *action : window->actions()) {
        if (!CMDIFrameWnd::CommandIdOf(action) && !action->isSeparator())
            entries << action->text() + (action->isChecked() ? "*" : "");
    }
    QCOMPARE(entries, (QStringList{"&1 Pelion2", "&2 Pelion3*"}));

    // Closing the pages brings menu 128 back.
    shell.frame()->SetSaveMode(CMainFrame::SaveNone);
    shell.frame()->RouteCommand(cmd::FileClose);
    QVERIFY(shell.waitForPages(1));
    QVERIFY(shell.frame()->ShowsPageMenu());
    shell.frame()->RouteCommand(cmd::FileClose);
    QVERIFY(shell.waitForPages(0));
    QVERIFY(!shell.frame()->ShowsPageMenu());
}

void tst_CMainFrame::toolbarButtons()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QCOMPARE(ButtonIds(shell.frame()->MainToolBar()),
             (QList<int>{57600, 57601, 57603, 33041, 33022, 0,     32801, 0,     32802, 0,
                         32803, 32804, 32805, 32982, 0,     32806, 32807, 0,     32980, 32981,
                         0,     32854, 32857, 32856, 0,     32977, 0,     33058, 57664}));
    QCOMPARE(ButtonIds(shell.frame()->ObjectBar()),
             (QList<int>{32836, 33054, 0,     32970, 33025, 33012, 0,     33011, 33014,
                         33015, 0,     32841, 32846, 32847, 32852, 32850, 32851, 0,
                         2979,  33044, 33045, 33046, 33047, 33043, 0,     33060}));
    QCOMPARE(ButtonIds(shell.frame()->FormatBar()),
             (QList<int>{0, 32821, 32825, 32826, 0, 32828, 32827, 32829, 0, 32831, 32834, 0, 32832,
                         32833, 0, 32945, 32811}));
    // With no page only the application's and the frame's own commands are available.
    QVERIFY(shell.waitForPages(0));
    shell.settle();
    const QList<int> available{cmd::FileNew, cmd::FileOpen, cmd::Lessons, cmd::AppAbout};
    for (QToolBar *bar : {shell.frame()->MainToolBar(), shell.frame()->ObjectBar(),
                          static_cast<QToolBar *>(shell.frame()->FormatBar())}) {
        for (QAction *action : bar->actions()) {
            const int id = CMDIFrameWnd::CommandIdOf(action);
            if (id)
                QVERIFY2(action->isEnabled() == available.contains(id),
                         qPrintable(QString::number(id)));
        }
    }
    // Tool tips and status texts come from the command strings.
    for (QAction *action : shell.frame()->MainToolBar()->actions()) {
        if (CMDIFrameWnd::CommandIdOf(action) == cmd::Cut) {
            QCOMPARE(action->toolTip(), QStringLiteral("Cut"));
            QCOMPARE(action->statusTip(),
                     QStringLiteral("Cuts the selection and moves it to the Clipboard"));
        }
    }
}

void tst_CMainFrame::formatBarLists()
{
    PageFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    CFormatBar *bar = shell.frame()->FormatBar();
    QComboBox *block = bar->BlockFormatList();
    QComboBox *font = bar->FontNameList();
    QComboBox *size = bar->FontSizeList();
    // 80 pixels, or wider when the font in use needs it to show every block format whole.
    QVERIFY(block->parentWidget()->width() >= 80);
    const QLineEdit *edit = block->lineEdit();
    for (int i = 0; i < block->count(); ++i) {
        // A line edit keeps 2 pixels free on either side of its text.
        QVERIFY2(edit->fontMetrics().horizontalAdvance(block->itemText(i)) + 4 <=
                     edit->contentsRect().width(),
                 qPrintable(block->itemText(i)));
    }
    QCOMPARE(font->parentWidget()->width(), 150);
    QCOMPARE(size->parentWidget()->width(), 50);
    QStringList blocks, sizes, fonts;
    for (int i = 0; i < block->count(); ++i)
        blocks << block->itemText(i);
    for (int i = 0; i < size->count(); ++i)
        sizes << size->itemText(i);
    for (int i = 0; i < font->count(); ++i)
        fonts << font->itemText(i);
    QCOMPARE(blocks, (QStringList{"Normal", "Heading 1", "Heading 2", "Heading 3", "Heading 4",
                                  "Heading 5", "Heading 6", "Formatted", "Address"}));
    QCOMPARE(sizes, (QStringList{"8", "10", "12", "14", "18", "24", "36"}));
    QVERIFY(block->isEditable());
    QVERIFY(font->isEditable());
    QVERIFY(!size->isEditable());
    // Every family of the display, sorted.
    QStringList families = QFontDatabase::families();
    families.removeDuplicates();
    QCOMPARE(fonts.size(), families.size());
    for (int i = 1; i < fonts.size(); ++i)
        QVERIFY2(fonts.at(i - 1).compare(fonts.at(i), Qt::CaseInsensitive) <= 0,
                 qPrintable(fonts.at(i - 1) + " > " + fonts.at(i)));

    // No page: empty and disabled.
    for (QComboBox *list : {block, font, size}) {
        QVERIFY(!list->isEnabled());
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->currentText(), QString());
    }

    // A page whose component reports the font-name command enabled enables them.
    shell.a = shell.open(shell.writePage("a.html", "<p>a</p>"));
    QVERIFY(shell.a);
    RecordingSite *site = ShellFixture::siteOf(shell.a);
    site->flags[EngineId::FontName] = EngineFlag::Enabled;
    site->reportUpdate();
    QVERIFY(font->isEnabled());
    site->flags[EngineId::FontName] = 0;
    site->reportUpdate();
    QVERIFY(!font->isEnabled());

    // And closing it empties and disables them again.
    site->flags[EngineId::FontName] = EngineFlag::Enabled;
    site->outputs[EngineId::FontSize] = 3;
    site->reportUpdate();
    QCOMPARE(size->currentText(), QStringLiteral("12"));
    shell.frame()->SetSaveMode(CMainFrame::SaveNone);
    shell.frame()->RouteCommand(cmd::FileClose);
    QVERIFY(shell.waitForPages(0));
    shell.settle();
    QVERIFY(!size->isEnabled());
    QCOMPARE(size->currentIndex(), -1);
}

void tst_CMainFrame::statusBarAndSideBar()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QStatusBar *status = shell.frame()->statusBar();
    auto *message = status->findChild<QLabel *>("messagePane");
    QVERIFY(message);
    QTRY_COMPARE(message->text(), QStringLiteral("Ready"));
    for (const char *pane : {"CAP", "NUM", "SCRL"})
        QVERIFY2(status->findChild<QLabel *>(pane), pane);

    CTandemTabViewBar *side = shell.frame()->SideBar();
    QCOMPARE(side->windowTitle(), QStringLiteral("Project"));
    QCOMPARE(side->objectName(), QStringLiteral("101"));
    QCOMPARE(side->allowedAreas(), Qt::AllDockWidgetAreas);
    QCOMPARE(shell.frame()->dockWidgetArea(side), Qt::LeftDockWidgetArea);
    QTabWidget *tabs = side->Tabs();
    QCOMPARE(tabs->objectName(), QStringLiteral("59648"));
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(0), QStringLiteral("Properties"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("Media"));
    QCOMPARE(tabs->tabText(2), QStringLiteral("Objects"));
    QCOMPARE(tabs->currentIndex(), 1);
    for (int i = 0; i < 3; ++i)
        QVERIFY(!tabs->tabIcon(i).isNull());
    QTRY_VERIFY(qAbs(side->width() - 250) <= 12);
}

void tst_CMainFrame::accelerators()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QMap<QString, int> keys;
    for (QShortcut *shortcut : shell.frame()->findChildren<QShortcut *>()) {
        const QString name = shortcut->objectName();
        if (name.startsWith("accelerator"))
            keys.insert(shortcut->key().toString(), name.mid(11).toInt());
    }
    const QMap<QString, int> expected{
        {"Ctrl+C", 32804}, {"Ctrl+N", 57600},   {"Ctrl+O", 57601},        {"Ctrl+P", 32801},
        {"Ctrl+S", 57603}, {"Ctrl+V", 32805},   {"Alt+Backspace", 32806}, {"Shift+Del", 32803},
        {"F6", 57680},     {"Shift+F6", 57681}, {"Ctrl+Ins", 32804},      {"Shift+Ins", 32805},
        {"Ctrl+X", 32803}, {"Ctrl+Z", 32806},   {"Ctrl+F", 32802},
    };
    QCOMPARE(keys, expected);
}

void tst_CMainFrame::barTogglesShowChecks()
{
    PageFixture shell;
    QVERIFY(shell.openTwo());
    CMainFrame *frame = shell.frame();
    const struct
    {
        int id;
        QWidget *bar;
    } toggles[] = {{cmd::ViewToolbar, frame->MainToolBar()},
                   {cmd::ViewStatusBar, frame->statusBar()},
                   {cmd::ToggleFormatBar, frame->FormatBar()},
                   {cmd::ToggleObjectBar, frame->ObjectBar()}};
    QMenu *view = frame->menuBar()->actions().at(2)->menu();
    for (const auto &toggle : toggles) {
        QAction *item = nullptr;
        for (QAction *action : view->actions()) {
            if (CMDIFrameWnd::CommandIdOf(action) == toggle.id)
                item = action;
        }
        QVERIFY(item);
        // Whatever an update without a page left, the toggle is enabled while its bar exists.
        item->setEnabled(false);
        frame->UpdateMenu(view);
        QVERIFY(item->isEnabled());
        QVERIFY(item->isChecked());
        frame->RouteCommand(toggle.id);
        QVERIFY(!toggle.bar->isVisibleTo(frame));
        frame->UpdateMenu(view);
        QVERIFY(!item->isChecked());
        frame->RouteCommand(toggle.id);
        QVERIFY(toggle.bar->isVisibleTo(frame));
    }
}

void tst_CMainFrame::onlyLatchingItemsAreCheckable()
{
    PageFixture shell;
    QVERIFY(shell.openTwo());
    CMainFrame *frame = shell.frame();
    RecordingSite *site = ShellFixture::siteOf(shell.b);
    for (int id = 0; id <= 60; ++id)
        site->flags[id] = EngineFlag::Enabled;
    site->flags[EngineId::AlignLeft] |= EngineFlag::Latched;
    site->flags[EngineId::Bold] |= EngineFlag::Latched;
    for (QAction *menu : frame->menuBar()->actions())
        frame->UpdateMenu(menu->menu());
    frame->UpdateCommandUI();
    QHash<int, QList<QAction *>> items;
    for (QAction *menu : frame->menuBar()->actions()) {
        for (QAction *action : menu->menu()->actions())
            items[CMDIFrameWnd::CommandIdOf(action)] << action;
    }
    for (QAction *action : frame->FormatBar()->actions())
        items[CMDIFrameWnd::CommandIdOf(action)] << action;
    for (QAction *action : frame->ObjectBar()->actions())
        items[CMDIFrameWnd::CommandIdOf(action)] << action;
    for (QAction *action : frame->MainToolBar()->actions())
        items[CMDIFrameWnd::CommandIdOf(action)] << action;
    for (int id : {cmd::Undo, cmd::Redo, cmd::Paste, cmd::Print, cmd::PrintToolbar, cmd::InsertLink,
                   cmd::InsertRow, cmd::DeleteCells, cmd::Find, cmd::SelectAll, cmd::BringToFront,
                   cmd::MoveObject, cmd::SetGrid, cmd::DecreaseIndent}) {
        QVERIFY2(!items.value(id).isEmpty(), qPrintable(QString::number(id)));
        for (QAction *action : items.value(id))
            QVERIFY2(!action->isCheckable(), qPrintable(action->text()));
    }
    for (int id : {cmd::AlignLeft, cmd::Bold}) {
        for (QAction *action : items.value(id)) {
            QVERIFY2(action->isCheckable() && action->isChecked(), qPrintable(action->text()));
        }
    }

    // With no page left, no button stays pressed.
    frame->SetSaveMode(CMainFrame::SaveNone);
    for (CMDIChildWnd *child : frame->OpenChildren())
        child->close();
    QVERIFY(shell.waitForPages(0));
    frame->UpdateCommandUI();
    for (int id : {cmd::AlignLeft, cmd::Bold}) {
        for (QAction *action : items.value(id))
            QVERIFY2(!action->isChecked(), qPrintable(action->text()));
    }
}

void tst_CMainFrame::cascadeGivesUsableWindows()
{
    PageFixture shell;
    QVERIFY(shell.openTwo());
    CMainFrame *frame = shell.frame();
    frame->resize(1200, 900);
    shell.settle();
    frame->RouteCommand(cmd::WindowCascade);
    const QSize area = frame->MdiArea()->viewport()->size();
    QList<QPoint> corners;
    for (CMDIChildWnd *child : frame->OpenChildren()) {
        QVERIFY(!child->isMaximized());
        QVERIFY2(child->width() >= area.width() * 2 / 3 - 1 &&
                     child->height() >= area.height() * 2 / 3 - 1,
                 qPrintable(QStringLiteral("%1x%2 in %3x%4")
                                .arg(child->width())
                                .arg(child->height())
                                .arg(area.width())
                                .arg(area.height())));
        QVERIFY(QRect(QPoint(0, 0), area).contains(child->geometry()));
        corners << child->pos();
    }
    QCOMPARE(corners.size(), 2);
    QVERIFY(corners.at(1).x() > corners.at(0).x() && corners.at(1).y() > corners.at(0).y());
    QVERIFY(frame->ActiveView() == shell.b); // the active page stays active
}

void tst_CMainFrame::defineSiteFromBothFileMenus()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    const auto trigger = [&shell] {
        QMenu *file = shell.frame()->menuBar()->actions().at(0)->menu();
        for (QAction *action : file->actions()) {
            if (CMDIFrameWnd::CommandIdOf(action) == cmd::DefineSite) {
                QCOMPARE(action->statusTip(),
                         QStringLiteral("Adds, Edits or Deletes site definitions"));
                shell.frame()->UpdateMenu(file);
                QVERIFY(action->isEnabled());
                action->trigger();
            }
        }
    };
    trigger();
    QCOMPARE(shell.dialogTitles, QStringList{"Add, Edit, Delete Sites"});
    QVERIFY(shell.open(shell.writePage("a.html", "a")));
    QVERIFY(shell.frame()->ShowsPageMenu());
    trigger();
    QCOMPARE(shell.dialogTitles,
             (QStringList{"Add, Edit, Delete Sites", "Add, Edit, Delete Sites"}));
}

void tst_CMainFrame::aboutBoxAndFontListShowWholeTexts()
{
    CAboutDlg about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    // Dialogs keep their size: no resize frame along their edges.
    QCOMPARE(about.minimumSize(), about.maximumSize());
    const QFontMetrics metrics(about.font());
    QVERIFY(about.width() >= metrics.horizontalAdvance(about.windowTitle()) + 100);
    auto *title = about.findChild<QLabel *>("title");
    QVERIFY(title);
    QVERIFY(title->width() >= title->fontMetrics().horizontalAdvance(title->text()));

    ShellFixture shell;
    QVERIFY(shell.start());
    QComboBox *fonts = shell.frame()->FormatBar()->FontNameList();
    QVERIFY(fonts->count() > 0);
    const QFontMetrics listMetrics(fonts->view()->font());
    int widest = 0;
    for (int i = 0; i < fonts->count(); ++i)
        widest = std::max(widest, listMetrics.horizontalAdvance(fonts->itemText(i)));
    QCOMPARE(fonts->view()->textElideMode(), Qt::ElideNone);
    QVERIFY(fonts->view()->minimumWidth() > widest);
}

void tst_CMainFrame::saveOnExit_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("askA"); // the close question about a.html comes up
    QTest::addColumn<bool>("savedA");
    QTest::addColumn<bool>("savedB"); // b.html is the active page
    QTest::addColumn<bool>("closed");
    QTest::addColumn<int>("answerA"); // to the question about a.html
    const int yes = QMessageBox::Yes;
    // "&Yes": b saved now and not asked again; a asked (answered Yes).
    QTest::newRow("yes") << int(CSaveOnExitDlg::Yes) << true << true << true << true << yes;
    QTest::newRow("yes-to-all") << int(CSaveOnExitDlg::YesToAll) << false << true << true << true
                                << yes;
    // "&No": b dropped without saving; a still asked.
    QTest::newRow("no") << int(CSaveOnExitDlg::No) << true << true << false << true << yes;
    QTest::newRow("no-to-all") << int(CSaveOnExitDlg::NoToAll) << false << false << false << true
                               << yes;
    QTest::newRow("cancel") << int(CSaveOnExitDlg::Cancel) << false << false << false << false
                            << yes;
    // Cancel to the question that follows "&No" stops the exit with both pages open.
    QTest::newRow("no-then-cancel")
        << int(CSaveOnExitDlg::No) << true << false << false << false << int(QMessageBox::Cancel);
}

void tst_CMainFrame::saveOnExit()
{
    QFETCH(int, answer);
    QFETCH(bool, askA);
    QFETCH(bool, savedA);
    QFETCH(bool, savedB);
    QFETCH(bool, closed);
    QFETCH(int, answerA);
    PageFixture shell;
    QVERIFY(shell.openTwo());
    const QString pathB = shell.b->PagePath();
    RecordingSite *siteA = ShellFixture::siteOf(shell.a);
    RecordingSite *siteB = ShellFixture::siteOf(shell.b);
    siteA->content = "edited a";
    siteB->content = "edited b";
    QString question;
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        auto &exit = static_cast<CSaveOnExitDlg &>(dialog);
        question = exit.Question();
        [&] { QVERIFY(exit.Button(CSaveOnExitDlg::YesToAll)->isDefault()); }();
        exit.done(answer);
        return exit.result();
    });
    shell.messageAnswers = {QMessageBox::StandardButton(answerA)};
    shell.frame()->close();
    shell.settle();
    QCOMPARE(shell.dialogTitles, QStringList{"Save on Exit"});
    QCOMPARE(question, QStringLiteral("Would you like to save ") + pathB + "?");
    QStringList asked;
    for (const MessageRequest &message : shell.messages)
        asked << message.text;
    QCOMPARE(asked, askA ? QStringList{"Would you like to save a.html?"} : QStringList());
    std::string text;
    util::ReadFile(fromQt(shell.program + "a.html"), text);
    QCOMPARE(text == "edited a", savedA);
    util::ReadFile(fromQt(pathB), text);
    QCOMPARE(text == "edited b", savedB);
    QCOMPARE(shell.frame()->isVisible(), !closed);
    QCOMPARE(shell.frame()->OpenChildren().size(), closed ? 0 : 2);
}

void tst_CMainFrame::saveOnExitWithBlankPage()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    QVERIFY(shell.waitForPages(0));
    CCEditView *blank = shell.open(QString()); // a blank page stays open after the first
    QVERIFY(blank);
    QString question;
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        question = static_cast<CSaveOnExitDlg &>(dialog).Question();
        dialog.done(CSaveOnExitDlg::Yes);
        return dialog.result();
    });
    shell.frame()->close();
    shell.settle();
    QCOMPARE(question, QStringLiteral("Would you like to save ?"));
    // "&Yes" asks the component to save to its current file; a blank page has none, so the
    // failure is shown and the program stays open with the page.
    QCOMPARE(ShellFixture::siteOf(blank)->saves, QStringList{QString()});
    QCOMPARE(shell.messages.size(), 1);
    QVERIFY(shell.messages.at(0).text.startsWith("The page could not be saved."));
    QVERIFY(shell.frame()->isVisible());
    QCOMPARE(shell.frame()->OpenChildren().size(), 1);
}

void tst_CMainFrame::failedSaveKeepsTheProgramOpen()
{
    PageFixture shell;
    QVERIFY(shell.openTwo());
    ShellFixture::siteOf(shell.a)->saveOk = false;
    shell.dialogAnswers.push_back([](CDialog &dialog) {
        dialog.done(CSaveOnExitDlg::YesToAll);
        return dialog.result();
    });
    shell.frame()->close();
    shell.settle();
    QVERIFY(shell.frame()->isVisible());
    // a (closed first) could not be saved: the exit stops there and both pages stay open.
    QCOMPARE(shell.frame()->OpenChildren().size(), 2);
    QCOMPARE(shell.frame()->SaveMode(), short(CMainFrame::SaveAsk));
    QCOMPARE(shell.messages.size(), 1);
}

class UrlCatcher : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl &url) { urls << url; }

public:
    QList<QUrl> urls;
};

void tst_CMainFrame::aboutAndHelpPages()
{
    PageFixture shell;
    QVERIFY(shell.openTwo());
    QString title;
    shell.dialogAnswers.push_back([&](CDialog &dialog) {
        title = dialog.findChild<QLabel *>("title")->text();
        dialog.accept();
        return dialog.result();
    });
    shell.frame()->RouteCommand(cmd::AppAbout);
    QCOMPARE(title, QStringLiteral("Pelion Web Builder v1.5"));
    shell.frame()->RouteCommand(cmd::DefineSite);
    QCOMPARE(shell.dialogTitles.size(), 2);
    QCOMPARE(shell.dialogTitles.at(1), QStringLiteral("Add, Edit, Delete Sites"));

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QDir(shell.program).mkpath("Manual");
    shell.writePage("Manual/Lessons.html", "<p>lessons</p>");
    shell.frame()->RouteCommand(cmd::Lessons);
    shell.frame()->RouteCommand(cmd::HowTo); // not installed: says so
    QDesktopServices::unsetUrlHandler("file");
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl::fromLocalFile(shell.program + "Manual/Lessons.html")});
    QCOMPARE(shell.messages.size(), 1);
    QVERIFY(shell.messages.at(0).text.contains("Manual/HowTo.html"));
}

void tst_CMainFrame::everyButtonHasAPicture()
{
    ShellFixture shell;
    QVERIFY(shell.start());
    const QString theme = QIcon::themeName();
    for (const QString &name : {theme, QStringLiteral("no-such-theme")}) {
        QIcon::setThemeName(name);
        for (QToolBar *bar : {shell.frame()->MainToolBar(), shell.frame()->ObjectBar(),
                              static_cast<QToolBar *>(shell.frame()->FormatBar())}) {
            for (QAction *action : bar->actions()) {
                const int id = CMDIFrameWnd::CommandIdOf(action);
                if (!id)
                    continue;
                const QPixmap picture = CommandIcon(id).pixmap(16, 16);
                QVERIFY2(!picture.isNull(), qPrintable(QString::number(id)));
                // Not blank: some pixel is drawn.
                const QImage image = picture.toImage();
                bool drawn = false;
                for (int y = 0; y < image.height() && !drawn; ++y)
                    for (int x = 0; x < image.width() && !drawn; ++x)
                        drawn = qAlpha(image.pixel(x, y)) > 0;
                QVERIFY2(drawn, qPrintable(QString::number(id)));
            }
        }
    }
    QIcon::setThemeName(theme);
}

int main(int argc, char **argv)
{
    tst_CMainFrame test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CMainFrame.moc"
