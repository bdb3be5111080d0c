#include "engine/EngineIds.h"
#include "frame/CMainFrame.h"
#include "frame/CTandemTabViewBar.h"
#include "gallery/CObjectsPanel.h"

#include "ShellTestSupport.h"

#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>

// The objects panel in the side bar of a running program, on a fixture objects folder.
class tst_CObjectsPanel : public QObject
{
    Q_OBJECT

private:
    static bool write(const QString &path, const QByteArray &bytes)
    {
        return util::MakeFolders(util::PathFolder(fromQt(path))) &&
               util::WriteFileAtomic(fromQt(path), bytes.toStdString());
    }

    // Bin/Objects/ with the categories "Cat" (clock, menu, a.b, gap) and "Alpha" (empty).
    static void writeObjects(const QString &program)
    {
        const QString cat = program + QStringLiteral("Bin/Objects/Cat/");
        QImage red(32, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(util::MakeFolders(fromQt(cat)));
        QVERIFY(red.save(cat + QStringLiteral("clock.ico"), "ICO"));
        QVERIFY(write(cat + QStringLiteral("menu.ico"), "not an icon"));
        QVERIFY(red.save(cat + QStringLiteral("a.b.ico"), "ICO"));
        QVERIFY(write(cat + QStringLiteral("clock.js"), "tick();"));
        QVERIFY(write(cat + QStringLiteral("Objects.ini"),
                      "[clock]\r\n"
                      "Desc=A clock that ticks\r\n"
                      "0=<div id=\"$(L0)\">\r\n"
                      "1=</div>\r\n"
                      "L0=$(App)Bin/Objects/Cat/clock.js\r\n"
                      "Message=Change the colours in the page\r\n"
                      "[menu]\r\n"
                      "0=<b>menu</b>\r\n"
                      "2=<i>never</i>\r\n"));
        QVERIFY(util::MakeFolders(fromQt(program + QStringLiteral("Bin/Objects/Alpha"))));
    }

    CObjectsPanel *panel(ShellFixture &shell)
    {
        auto *panel = qobject_cast<CObjectsPanel *>(
            shell.frame()->SideBar()->Panel(CTandemTabViewBar::ObjectsTab));
        if (panel) {
            panel->Categories()->setCurrentIndex(panel->Categories()->findText("Cat"));
            shell.frame()->SideBar()->Tabs()->setCurrentIndex(CTandemTabViewBar::ObjectsTab);
            shell.frame()->show();
            shell.settle();
        }
        return panel;
    }

    static QListWidgetItem *item(CObjectsPanel *panel, const QString &name)
    {
        const auto found = panel->Objects()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.first();
    }

    static void click(CObjectsPanel *panel, const QString &name, bool twice)
    {
        QListWidgetItem *target = item(panel, name);
        QVERIFY(target);
        const QPoint at = panel->Objects()->visualItemRect(target).center();
        QWidget *viewport = panel->Objects()->viewport();
        if (twice)
            QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
        else
            QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
    }

    static QString statusText(ShellFixture &shell)
    {
        auto *pane = shell.frame()->statusBar()->findChild<QLabel *>("messagePane");
        return pane ? pane->text() : QString();
    }

private slots:
    void listsCategoriesAndObjectsSorted()
    {
        ShellFixture shell;
        writeObjects(shell.program);
        QVERIFY(shell.start());
        auto *objects = shell.frame()->SideBar()->Panel(CTandemTabViewBar::ObjectsTab);
        auto *gallery = qobject_cast<CObjectsPanel *>(objects);
        QVERIFY(gallery);
        QCOMPARE(gallery->Categories()->count(), 2);
        QCOMPARE(gallery->Categories()->itemText(0), QStringLiteral("Alpha"));
        QCOMPARE(gallery->Categories()->currentIndex(), 0);
        QCOMPARE(gallery->Objects()->count(), 0);

        gallery->Categories()->setCurrentIndex(1);
        QStringList names;
        for (int i = 0; i < gallery->Objects()->count(); ++i)
            names << gallery->Objects()->item(i)->text();
        QCOMPARE(names, (QStringList{"a.b", "clock", "menu"}));
        // The icon as drawn, and the program's icon for a file that is no icon.
        const QImage clock = item(gallery, "clock")->icon().pixmap(32, 32).toImage();
        QCOMPARE(clock.size(), QSize(32, 32));
        QCOMPARE(clock.pixelColor(16, 16), QColor(Qt::red));
        const QImage menu = item(gallery, "menu")->icon().pixmap(32, 32).toImage();
        QVERIFY(!menu.isNull());
        QVERIFY(menu.pixelColor(16, 16) != QColor(Qt::red));
    }

    void clickShowsTheDescription()
    {
        ShellFixture shell;
        writeObjects(shell.program);
        QVERIFY(shell.start());
        CObjectsPanel *gallery = panel(shell);
        QVERIFY(gallery);
        click(gallery, "clock", false);
        QCOMPARE(statusText(shell), QStringLiteral("A clock that ticks"));
        // An object without a description empties the status text.
        click(gallery, "menu", false);
        QCOMPARE(statusText(shell), QStringLiteral("Ready"));
    }

    void doubleClickInsertsIntoTheActivePage()
    {
        ShellFixture shell;
        writeObjects(shell.program);
        QVERIFY(shell.start());
        CObjectsPanel *gallery = panel(shell);
        QVERIFY(gallery);

        // No page open: nothing is inserted, copied or said.
        click(gallery, "clock", true);
        gallery->InsertObject("clock");
        QVERIFY(shell.messages.isEmpty());
        QVERIFY(!util::FileExists(fromQt(shell.program + "clock.js")));

        QVERIFY(util::MakeFolders(fromQt(shell.program + "site")));
        CCEditView *view = shell.open(shell.writePage("site/page.html", "<p>x</p>"));
        RecordingSite *site = ShellFixture::siteOf(view);
        QVERIFY(site);
        // Text can be inserted: the panel is enabled.
        site->flags.insert(EngineId::FontName, EngineFlag::Enabled);
        shell.frame()->UpdateCommandUI();
        shell.settle();
        QVERIFY(gallery->isEnabled());
        click(gallery, "clock", true);
        QCOMPARE(site->inserted.size(), 1);
        const QRegularExpression shape(R"(^<div id="R\d{1,5}"></div>$)");
        QVERIFY2(shape.match(site->inserted[0]).hasMatch(), qPrintable(site->inserted[0]));
        QVERIFY(util::FileExists(fromQt(shell.program + "site/clock.js")));
        QCOMPARE(shell.messages.size(), 1);
        QCOMPARE(shell.messages[0].text, QStringLiteral("Change the colours in the page"));

        // Pieces up to the first gap; no message without a Message key.
        gallery->InsertObject("menu");
        QCOMPARE(site->inserted.last(), QStringLiteral("<b>menu</b>"));
        QCOMPARE(shell.messages.size(), 1);

        // A page that refuses the insertion.
        site->insertOk = false;
        gallery->InsertObject("clock");
        QCOMPARE(site->inserted.size(), 2);
        QCOMPARE(shell.messages.size(), 2);
        QCOMPARE(shell.messages[1].text, QStringLiteral("Error: inserting object failed"));
    }
};

int main(int argc, char **argv)
{
    tst_CObjectsPanel test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CObjectsPanel.moc"
