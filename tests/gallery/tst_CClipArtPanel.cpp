#include "ShellTestSupport.h"

#include "engine/CEditEngine.h"
#include "engine/EngineIds.h"
#include "frame/CTandemTabViewBar.h"
#include "gallery/CClipArtPanel.h"
#include "insert/CBrowseEdit.h"
#include "page/CCEditDoc.h"
#include "sites/ResourceCopy.h"
#include "sites/SiteDefinitions.h"
#include "toolkit/CommandIds.h"
#include "util/AppProfile.h"

#include <QAbstractButton>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTreeWidget>

// The clip-art panel of the side bar, on fixture clip-art folders: the tree, the preview, the
// kind buttons and what its commands do on the active page.
class tst_CClipArtPanel : public QObject
{
    Q_OBJECT

    static void write(const QString &path, const QByteArray &bytes)
    {
        QVERIFY(util::MakeFolders(util::PathFolder(fromQt(path))));
        QVERIFY(util::WriteFileAtomic(fromQt(path), bytes.toStdString()));
    }

    static void picture(const QString &path, const char *format)
    {
        QVERIFY(util::MakeFolders(util::PathFolder(fromQt(path))));
        QImage image(24, 16, QImage::Format_RGB32);
        image.fill(QColor(200, 40, 40));
        QVERIFY(image.save(path, format));
    }

    // A small clip-art folder: a GIF spelt in capitals, a picture in a background folder and
    // the same picture among the images, sounds (one known only by its folder), a folder with a
    // dot that is still a folder, and no "Videos".
    static void writeClipArt(const QString &clipArt)
    {
        std::string gif;
        QVERIFY(util::ReadFile(PELION_SOURCE_DIR "/data/Clipart/Animations/bounce.gif", gif));
        write(clipArt + "Images/sun.GIF", QByteArray::fromStdString(gif));
        write(clipArt + "Images/nexthome.gif", QByteArray::fromStdString(gif));
        picture(clipArt + "Images/paper.jpg", "JPG");
        picture(clipArt + "Backgrounds/paper.jpg", "JPG");
        QImage dot(8, 8, QImage::Format_ARGB32);
        dot.fill(Qt::transparent);
        dot.setPixelColor(4, 4, Qt::blue);
        QVERIFY(dot.save(clipArt + "Images/dot.png", "PNG"));
        write(clipArt + "Sounds/tune.MID", "MThd");
        write(clipArt + "Sounds/readme.txt", "a sound by its folder");
        write(clipArt + "Sounds/A more/ding.wav", "RIFF");
        write(clipArt + "animations/x.gif", QByteArray::fromStdString(gif));
        write(clipArt + "Zeta/z.png", "?");
        write(clipArt + "Zeta/notes.xyz", "?");
    }

    static QTreeWidgetItem *select(CClipArtPanel &panel, const QString &path)
    {
        QTreeWidgetItem *item = panel.ItemOfPath(path);
        if (item)
            panel.Tree()->setCurrentItem(item);
        return item;
    }

    static QStringList childTexts(QTreeWidgetItem *item)
    {
        QStringList texts;
        for (int i = 0; item && i < item->childCount(); ++i)
            texts.append(item->child(i)->text(0));
        return texts;
    }

    // A double click as the window system sends it: press, release, double click, release.
    static void doubleClick(CClipArtPanel &panel, QTreeWidgetItem *item)
    {
        QTreeWidget *tree = panel.Tree();
        tree->scrollToItem(item);
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(tree->viewport(), Qt::LeftButton, {}, at);
    }

    struct GalleryPage
    {
        CClipArtPanel *panel = nullptr;
        CCEditView *view = nullptr;
        RecordingSite *site = nullptr;
        QString folder;
    };

    // The program with the fixture clip art and a page of a site open, text insertable.
    static GalleryPage openPage(ShellFixture &shell)
    {
        GalleryPage page;
        [&] {
            writeClipArt(shell.program + "Clipart/");
            QVERIFY(shell.start());
            QVERIFY(shell.waitForPages(0)); // the start-up page has gone
            page.panel = qobject_cast<CClipArtPanel *>(
                shell.frame()->SideBar()->Panel(CTandemTabViewBar::MediaTab));
            QVERIFY(page.panel);
            page.folder = shell.program + "Site";
            QVERIFY(util::MakeFolders(fromQt(page.folder)));
            SiteDefinitions(util::AppProfile()).Add("Site", fromQt(page.folder), "media");
            page.view = shell.open(shell.writePage("Site/index.html", "<p>x</p>"));
            page.site = ShellFixture::siteOf(page.view);
            QVERIFY(page.site);
            page.site->flags.insert(EngineId::FontName, EngineFlag::Enabled);
            shell.frame()->UpdateCommandUI();
            shell.settle();
            QVERIFY(page.panel->isEnabled());
            // The gallery works on the active page of the active window, as a user's click has it.
            shell.frame()->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(shell.frame()));
            QCOMPARE(shell.frame()->ActivePageView(), page.view);
        }();
        return page;
    }

private slots:
    void treeOrderAndKindButtons()
    {
        QTemporaryDir dir;
        const QString clipArt = dir.path() + "/Clipart/";
        writeClipArt(clipArt);
        CClipArtPanel panel(clipArt);
        QTreeWidgetItem *root = panel.Tree()->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("Clipart"));
        QCOMPARE(panel.Tree()->currentItem(), root);
        QCOMPARE(panel.PreviewCaption(), QStringLiteral("U:<NONE~"));
        // The top level sorted by text, letter case folded.
        QCOMPARE(childTexts(root),
                 (QStringList{"animations", "Backgrounds", "Images", "Sounds", "Zeta"}));
        // Deeper down a folder's files come first, then its folders.
        QTreeWidgetItem *sounds = panel.ItemOfPath("Clipart/Sounds");
        QVERIFY(sounds);
        sounds->setExpanded(true); // a folder's items are made when it is first opened
        QCOMPARE(childTexts(sounds), (QStringList{"readme.txt", "tune.MID", "A more"}));

        // "Sounds" selects its folder and sorts what it holds.
        panel.KindButton(1054)->click();
        QCOMPARE(panel.Tree()->currentItem(), sounds);
        QCOMPARE(childTexts(sounds), (QStringList{"A more", "readme.txt", "tune.MID"}));
        QCOMPARE(panel.PreviewCaption(), QStringLiteral("U:<NONE~"));
        // The kind buttons look for their folder's exact name: no "Videos", and "animations"
        // is not "Animations".
        for (int id : {1052, 1051}) {
            panel.KindButton(id)->click();
            QCOMPARE(panel.Tree()->currentItem(), sounds);
        }
        panel.KindButton(1053)->click();
        QCOMPARE(panel.SelectedPath(), QStringLiteral("Clipart/Images"));
    }

    void previewAndCommandsFollowTheKind()
    {
        QTemporaryDir dir;
        const QString clipArt = dir.path() + "/Clipart/";
        writeClipArt(clipArt);
        CClipArtPanel panel(clipArt);
        panel.resize(250, 500);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        QSignalSpy commands(&panel, &CClipArtPanel::command);

        const struct
        {
            const char *path;
            const char *caption; // with "%1" for the file's own path
            bool picture;
        } cases[] = {
            {"Images/sun.GIF", "U:%1~", true}, // an animation by its extension, any case
            {"Images/paper.jpg", "U:%1~", true},        {"Sounds/tune.MID", "U:<BTNSND~", false},
            {"Sounds/readme.txt", "U:<BTNSND~", false}, // a sound by its folder
            {"Zeta/notes.xyz", "U:<NONE~", false},      // no known kind
            {"Sounds/A more", "U:<NONE~", false},       // a folder
        };
        for (const auto &c : cases) {
            QTreeWidgetItem *item = select(panel, QStringLiteral("Clipart/") + c.path);
            QVERIFY2(item, c.path);
            const QString full = clipArt + c.path;
            QCOMPARE(panel.CurrentPath(), full);
            QCOMPARE(panel.PreviewCaption(), QString::fromLatin1(c.caption).replace("%1", full));
            QCOMPARE(!panel.PreviewImage().isNull(), c.picture);
            if (QByteArray(c.path).endsWith(".jpg"))
                QVERIFY(panel.PreviewImage().pixelColor(12, 8).red() > 150);

            // The preview, Enter and a double click send the default insert, a right click the
            // context menu, but only for a file the gallery knows.
            commands.clear();
            const bool known = !QByteArray(c.caption).contains("<NONE");
            panel.PreviewButton()->click();
            QTest::keyClick(panel.Tree(), Qt::Key_Return);
            doubleClick(panel, item);
            QContextMenuEvent menu(QContextMenuEvent::Mouse,
                                   panel.Tree()->visualItemRect(item).center(),
                                   panel.Tree()->viewport()->mapToGlobal(QPoint(3, 4)));
            QCoreApplication::sendEvent(panel.Tree()->viewport(), &menu);
            QList<int> ids;
            for (const QList<QVariant> &args : commands)
                ids.append(args.at(0).toInt());
            QCOMPARE(ids, known ? (QList<int>{1124, 1124, 1124, 1125}) : QList<int>{});
            QCOMPARE(panel.CurrentPath(), full);
        }
        // A picture's transparency shows through the preview.
        QVERIFY(select(panel, "Clipart/Images/dot.png"));
        QCOMPARE(panel.PreviewImage().pixelColor(0, 0).alpha(), 0);
        QCOMPARE(panel.PreviewImage().pixelColor(4, 4), QColor(Qt::blue));
        QCOMPARE(gallery::ContextSubMenu(fromQt(clipArt + "Images/sun.GIF")), 0);
        QCOMPARE(GetResourceType(fromQt(clipArt + "Images/sun.GIF")), int16_t(ResourceAnimation));
    }

    void missingFolderGivesTheRootAlone()
    {
        CClipArtPanel panel(QStringLiteral("/nonexistent/Clipart/"));
        QCOMPARE(panel.Tree()->topLevelItemCount(), 1);
        QCOMPARE(panel.Tree()->topLevelItem(0)->childCount(), 0);
        QSignalSpy commands(&panel, &CClipArtPanel::command);
        panel.PreviewButton()->click();
        QCOMPARE(commands.count(), 0);
    }

    void noPageOpenDoesNothing()
    {
        ShellFixture shell;
        writeClipArt(shell.program + "Clipart/");
        QVERIFY(shell.start());
        auto *panel = qobject_cast<CClipArtPanel *>(
            shell.frame()->SideBar()->Panel(CTandemTabViewBar::MediaTab));
        QVERIFY(panel);
        QCOMPARE(shell.frame()->SideBar()->Tabs()->currentIndex(),
                 int(CTandemTabViewBar::MediaTab));
        for (const char *path : {"Clipart/Images/sun.GIF", "Clipart/Backgrounds/paper.jpg",
                                 "Clipart/Sounds/tune.MID"}) {
            QVERIFY(select(*panel, path));
            emit panel->command(cmd::GalleryActivate);
            emit panel->command(cmd::GalleryContextMenu);
        }
        shell.settle();
        QVERIFY(shell.dialogTitles.isEmpty());
        QVERIFY(shell.messages.isEmpty());
        QVERIFY(!panel->findChild<QMenu *>());
    }

    void defaultInsertByKindAndFolder()
    {
        ShellFixture shell;
        const GalleryPage page = openPage(shell);
        QVERIFY(page.site);
        CClipArtPanel &panel = *page.panel;

        // A picture in a background folder becomes the page's background.
        QSignalSpy commands(&panel, &CClipArtPanel::command);
        doubleClick(panel, select(panel, "Clipart/Backgrounds/paper.jpg"));
        QCOMPARE(commands.count(), 1);
        QVERIFY(shell.dialogTitles.isEmpty());
        QVERIFY(util::FileExists(fromQt(page.folder + "/media/paper.jpg")));
        QCOMPARE(page.site->bodyAttributes.value(int(CEditEngine::BodyAttribute::Background)),
                 QVariant(QStringLiteral("media/paper.jpg")));
        QCOMPARE(page.view->GetDocument()->Properties().background, std::string("media/paper.jpg"));
        QCOMPARE(page.view->GetDocument()->Properties().backgroundStyle, 1);

        // The same picture among the images opens the image dialog with it as source; a
        // picture named for a next and a home button goes home.
        QString source;
        bool home = true;
        shell.dialogAnswers.push_back([&](CDialog &d) {
            source = d.findChild<CBrowseEdit *>("1002")->Text();
            home = d.findChild<QRadioButton *>("1045")->isChecked();
            d.reject();
            return d.result();
        });
        doubleClick(panel, select(panel, "Clipart/Images/paper.jpg"));
        QCOMPARE(shell.dialogTitles, QStringList{"Insert image"});
        QCOMPARE(source, shell.program + "Clipart/Images/paper.jpg");
        QVERIFY(!home);

        shell.dialogAnswers.push_back([&](CDialog &d) {
            home = d.findChild<QRadioButton *>("1045")->isChecked();
            d.reject();
            return d.result();
        });
        select(panel, "Clipart/Images/nexthome.gif");
        QTest::keyClick(panel.Tree(), Qt::Key_Return);
        QCOMPARE(shell.dialogTitles.size(), 2);
        QVERIFY(home);

        // A sound, also one known only by its folder, opens the media dialog.
        for (const char *sound : {"Clipart/Sounds/tune.MID", "Clipart/Sounds/readme.txt"}) {
            shell.dialogAnswers.push_back([&](CDialog &d) {
                source = d.findChild<CBrowseEdit *>()->Text();
                d.reject();
                return d.result();
            });
            select(panel, sound);
            panel.PreviewButton()->click();
            QCOMPARE(shell.dialogTitles.last(), QStringLiteral("Insert media"));
            QCOMPARE(source, shell.program + sound);
        }
        QVERIFY(page.site->inserted.isEmpty());
    }

    void contextMenuCommands()
    {
        ShellFixture shell;
        const GalleryPage page = openPage(shell);
        QVERIFY(page.site);
        CClipArtPanel &panel = *page.panel;
        const auto texts = [](QMenu *menu) {
            QStringList list;
            for (QAction *action : menu->actions()) {
                if (!action->isSeparator())
                    list.append(action->text());
            }
            return list;
        };
        const auto choose = [](QMenu *menu, const QString &text) {
            for (QAction *action : menu->actions()) {
                if (action->text() == text) {
                    action->trigger();
                    return true;
                }
            }
            return false;
        };

        // A right click shows the menu of the file's kind next to the mouse.
        select(panel, "Clipart/Sounds/tune.MID");
        const QPoint at = panel.Tree()->viewport()->mapToGlobal(QPoint(10, 10));
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(1, 1), at);
        QCoreApplication::sendEvent(panel.Tree(), &event);
        QMenu *shown = page.view->findChild<QMenu *>("galleryContextMenu");
        QVERIFY(shown);
        QTRY_VERIFY(shown->isVisible());
        QCOMPARE(texts(shown),
                 (QStringList{"Play", "Stop Playing", "Quick Insert", "Insert with Options",
                              "Insert as Background Sound", "Insert as Looping Background Sound"}));
        shown->close();

        const QString tune = shell.program + "Clipart/Sounds/tune.MID";
        std::unique_ptr<QMenu> sound(page.view->CreateGalleryMenu(tune, nullptr));
        // Play puts a sound tag for the gallery's own file into the page; nothing is copied.
        QVERIFY(choose(sound.get(), "Play"));
        QCOMPARE(page.site->inserted.last(), "<BGSOUND SRC=\"" + tune + "\">");
        QVERIFY(!util::FileExists(fromQt(page.folder + "/media/tune.MID")));
        // Stop Playing: browser mode and back.
        page.site->calls.clear();
        QVERIFY(choose(sound.get(), "Stop Playing"));
        QCOMPARE(page.site->commandCalls().size(), 2);
        QCOMPARE(page.site->commandCalls()[0].id, int(EngineId::BrowseMode));
        QCOMPARE(page.site->commandCalls()[1].id, int(EngineId::EditMode));
        // Quick Insert copies the file and inserts a player named after it.
        QVERIFY(choose(sound.get(), "Quick Insert"));
        QVERIFY(util::FileExists(fromQt(page.folder + "/media/tune.MID")));
        QVERIFY2(page.site->inserted.last().contains("media/tune.MID"),
                 qPrintable(page.site->inserted.last()));
        QVERIFY(page.site->inserted.last().contains("tune"));

        // The image menu: a plain image tag, the dialog without a preset, and the backgrounds.
        const QString sun = shell.program + "Clipart/Images/nexthome.gif";
        std::unique_ptr<QMenu> image(page.view->CreateGalleryMenu(sun, nullptr));
        QCOMPARE(texts(image.get()),
                 (QStringList{"Quick Insert", "Preview and Insert", "Insert as Background",
                              "Insert as Fixed Background"}));
        QVERIFY(choose(image.get(), "Quick Insert"));
        // Only the source is set: no name, no click action.
        QVERIFY2(page.site->inserted.last().startsWith("<img src=\"media/nexthome.gif\""),
                 qPrintable(page.site->inserted.last()));
        QVERIFY(!page.site->inserted.last().contains("name="));
        QVERIFY(!page.site->inserted.last().contains("onClick"));
        bool home = true;
        shell.dialogAnswers.push_back([&](CDialog &d) {
            home = d.findChild<QRadioButton *>("1045")->isChecked();
            d.reject();
            return d.result();
        });
        QVERIFY(choose(image.get(), "Preview and Insert"));
        QCOMPARE(shell.dialogTitles, QStringList{"Insert image"});
        QVERIFY(!home);
        QVERIFY(choose(image.get(), "Insert as Fixed Background"));
        QCOMPARE(page.view->GetDocument()->Properties().background,
                 std::string("media/nexthome.gif"));
        QCOMPARE(page.view->GetDocument()->Properties().backgroundStyle, 0);
        QCOMPARE(page.site->bodyAttributes.value(int(CEditEngine::BodyAttribute::BgProperties)),
                 QVariant(QStringLiteral("fixed")));

        std::unique_ptr<QMenu> video(
            page.view->CreateGalleryMenu(shell.program + "Clipart/Videos/clip.webm", nullptr));
        QCOMPARE(texts(video.get()), (QStringList{"Quick Insert", "Preview and Insert"}));
    }
};

int main(int argc, char **argv)
{
    tst_CClipArtPanel test;
    return RunShellTest(&test, argc, argv);
}

#include "tst_CClipArtPanel.moc"
