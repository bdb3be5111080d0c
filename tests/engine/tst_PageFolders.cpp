// Which local files a page may read: the containment check on canonical paths, and the folders
// a page is given (its own, the defined sites that hold it).
#include "engine/PageFolders.h"
#include "sites/SiteDefinitions.h"
#include "util/AppProfile.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using PageFolders::Access;

class tst_PageFolders : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void check_data();
    void check();
    void foldersOfAPage();

private:
    QString at(const QString &relative) const { return m_dir->filePath(relative); }
    void write(const QString &relative);
    void link(const QString &target, const QString &relative);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_PageFolders::write(const QString &relative)
{
    QDir().mkpath(QFileInfo(at(relative)).path());
    QFile file(at(relative));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("x");
}

void tst_PageFolders::link(const QString &target, const QString &relative)
{
    QVERIFY(QFile::link(target, at(relative)));
}

// <tmp>/site (the page's folder) with a sub-folder and links in and out; out.txt and site2 lie
// beside it; program/ stands in for the program folder.
void tst_PageFolders::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    write("site/a.txt");
    write("site/sub/b.txt");
    write("site2/c.txt");
    write("out.txt");
    write("program/Bin/qxlib.js");
    link(at("out.txt"), "site/link.txt");
    link(at("."), "site/linkdir");
    link(at("site/sub/b.txt"), "site/inlink.txt");
    link(at("site/a.txt"), "into.txt");
    link(at("nowhere.txt"), "site/dangling.txt");
    util::SetProgramFolder(at("program").toStdString() + "/");
}

void tst_PageFolders::cleanup()
{
    util::SetProgramFolder({});
    util::AppProfile().RemoveSection(SiteDefinitions::kSection);
}

void tst_PageFolders::check_data()
{
    QTest::addColumn<QString>("path"); // below the temporary folder; "=" + a path as it stands
    QTest::addColumn<Access>("expected");

    QTest::newRow("own-file") << "site/a.txt" << Access::Allowed;
    QTest::newRow("sub-folder") << "site/sub/b.txt" << Access::Allowed;
    QTest::newRow("dot-dot-out") << "site/../out.txt" << Access::Denied;
    QTest::newRow("dot-dot-out-and-back") << "site/sub/../../site/a.txt" << Access::Allowed;
    QTest::newRow("link-to-a-file-outside") << "site/link.txt" << Access::Denied;
    QTest::newRow("link-to-a-folder-outside") << "site/linkdir/out.txt" << Access::Denied;
    QTest::newRow("back-in-through-a-link") << "site/linkdir/site/a.txt" << Access::Allowed;
    QTest::newRow("link-inside") << "site/inlink.txt" << Access::Allowed;
    // Named outside, but the file read is the page's own.
    QTest::newRow("link-from-outside-into-the-folder") << "into.txt" << Access::Allowed;
    QTest::newRow("same-prefix-sibling") << "site2/c.txt" << Access::Denied;
    QTest::newRow("missing-inside") << "site/none.txt" << Access::Missing;
    QTest::newRow("dangling-link-inside") << "site/dangling.txt" << Access::Missing;
    QTest::newRow("missing-outside") << "none.txt" << Access::Denied;
    QTest::newRow("missing-past-dot-dot") << "site/../none.txt" << Access::Denied;
    QTest::newRow("folder-itself") << "site/sub" << Access::Missing;
    QTest::newRow("program-data") << "program/Bin/qxlib.js" << Access::Allowed;
    QTest::newRow("system-file") << "=/etc/passwd" << Access::Denied;
    QTest::newRow("relative-path") << "=site/a.txt" << Access::Denied;
}

void tst_PageFolders::check()
{
    QFETCH(QString, path);
    QFETCH(Access, expected);
    const QString full = path.startsWith('=') ? path.mid(1) : m_dir->path() + '/' + path;
    const QStringList folders = PageFolders::Canonical({at("site")});
    QCOMPARE(folders.size(), 1);
    QString canonical;
    QCOMPARE(PageFolders::Check(full, folders, &canonical), expected);
    if (expected == Access::Allowed) {
        QCOMPARE(canonical, QFileInfo(full).canonicalFilePath());
        QVERIFY(PageFolders::IsBelow(canonical, folders.first()) ||
                PageFolders::IsBelow(canonical, PageFolders::ProgramFolder()));
    }
}

void tst_PageFolders::foldersOfAPage()
{
    write("site/pages/p.htm");
    const QString site = QFileInfo(at("site")).canonicalFilePath();
    const QString pages = QFileInfo(at("site/pages")).canonicalFilePath();
    // Without site definitions a page reads below its own folder, a blank page only from the
    // program folder.
    QCOMPARE(PageFolders::ForPage(at("site/pages/p.htm")), QStringList{pages});
    QCOMPARE(PageFolders::ForPage(QString()), QStringList());
    QCOMPARE(PageFolders::ForPage(at("gone/p.htm")), QStringList());

    link(at("site"), "sitelink");
    SiteDefinitions sites(util::AppProfile());
    QVERIFY(sites.Add("Mine", at("site").toStdString() + "/", ""));
    QVERIFY(sites.Add("Sibling", at("site2").toStdString(), ""));
    QVERIFY(sites.Add("Same, through a link", at("sitelink").toStdString(), ""));
    QVERIFY(sites.Add("Deeper", at("site/pages/more").toStdString(), ""));
    // The site that holds the page, once, by its canonical folder; the sibling whose name
    // shares the prefix and a site below the page's folder are no part of it.
    QCOMPARE(PageFolders::ForPage(at("site/pages/p.htm")), (QStringList{pages, site}));
    QCOMPARE(PageFolders::ForPage(at("sitelink/pages/p.htm")), (QStringList{pages, site}));
    QCOMPARE(PageFolders::Check(at("site/a.txt"), PageFolders::ForPage(at("site/pages/p.htm"))),
             Access::Allowed);
    QCOMPARE(PageFolders::Check(at("site2/c.txt"), PageFolders::ForPage(at("site/pages/p.htm"))),
             Access::Denied);
}

QTEST_GUILESS_MAIN(tst_PageFolders)
#include "tst_PageFolders.moc"
