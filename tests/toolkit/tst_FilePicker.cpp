#include "toolkit/FileDialog.h"
#include "toolkit/FilePicker.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QApplication>
#include <QtTest>

class tst_FilePicker : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void kindTable_data();
    void kindTable();
    void secondBrowseStartsInTheChosenFolder();
    void openAndSaveDialogs();
    void qtFilter_data();
    void qtFilter();

private:
    QList<FileDialogRequest> m_requests;
    QStringList m_answers;
};

void tst_FilePicker::init()
{
    util::SetProgramFolder("/opt/pelion/");
    ResetLastFolders();
    m_requests.clear();
    m_answers.clear();
    SetFileDialogHook([this](const FileDialogRequest &request) {
        m_requests.append(request);
        return m_answers.isEmpty() ? QString() : m_answers.takeFirst();
    });
}

void tst_FilePicker::cleanup()
{
    SetFileDialogHook({});
    util::SetProgramFolder("");
}

void tst_FilePicker::kindTable_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("extension");
    const QString all = "All Files|*.*||";
    QTest::newRow("0-images") << 0 << "/opt/pelion/Clipart/Images"
                              << "Image Files|*.bmp; *.dib; *.gif; *.jpeg; *.jpg; *.pcx; *.rle; "
                                 "*.tga; *.tif; *.tiff||"
                              << "bmp";
    QTest::newRow("1-sounds") << 1 << "/opt/pelion/Clipart/Sounds"
                              << "Sound Files|*.wav; *.mid||"
                              << "wav";
    QTest::newRow("2-multimedia") << 2 << "/opt/pelion/Clipart/Animations"
                                  << "Multimedia Files|*.wav; *.avi; *.mid||"
                                  << "htm";
    QTest::newRow("3-animations") << 3 << "/opt/pelion/Clipart/Animations"
                                  << "Animation Files|*.avi||"
                                  << "avi";
    QTest::newRow("4-applets") << 4 << "/opt/pelion/Applets"
                               << "Java Applets|*.class||"
                               << "class";
    QTest::newRow("5-none") << 5 << "" << all << "htm";
    QTest::newRow("6-web-pages") << 6 << "/opt/pelion/WebPages"
                                 << "HTML Files (*.htm; *.html)|*.htm; *.html|HTML Templates "
                                    "(*.htt)|*.htt|All Files (*.*)|*.*||"
                                 << "html";
    QTest::newRow("7-videos") << 7 << "/opt/pelion/Clipart/Videos" << all << "htm";
    QTest::newRow("8-shockwave") << 8 << "/opt/pelion/Shockwave" << all << "htm";
    QTest::newRow("9-flash") << 9 << "/opt/pelion/Flash" << all << "htm";
    QTest::newRow("10-beyond") << 10 << "" << all << "htm";
}

void tst_FilePicker::kindTable()
{
    QFETCH(int, kind);
    QFETCH(QString, folder);
    QFETCH(QString, filter);
    QFETCH(QString, extension);
    QCOMPARE(GetLastFolder(kind), folder);
    QCOMPARE(FileKindFilter(kind), filter);
    QCOMPARE(FileKindExtension(kind), extension);
    SetLastFolder(kind, "/elsewhere/");
    QCOMPARE(GetLastFolder(kind), folder.isEmpty() ? QString() : QStringLiteral("/elsewhere/"));
}

void tst_FilePicker::secondBrowseStartsInTheChosenFolder()
{
    m_answers = {"/pictures/holiday/beach.gif", "", "/clips/intro.avi"};
    QCOMPARE(BrowseForFile(0, 0, 0, true), QStringLiteral("/pictures/holiday/beach.gif"));
    QCOMPARE(m_requests.at(0).folder, QStringLiteral("/opt/pelion/Clipart/Images"));
    QCOMPARE(BrowseForFile(0, 0, 0, true), QString()); // cancelled: the folder stays
    QCOMPARE(m_requests.at(1).folder, QStringLiteral("/pictures/holiday/"));
    QCOMPARE(GetLastFolder(0), QStringLiteral("/pictures/holiday/"));

    // Kinds 2 and 3 share one folder.
    BrowseForFile(3, 3, 3, true);
    QCOMPARE(GetLastFolder(2), QStringLiteral("/clips/"));
}

void tst_FilePicker::openAndSaveDialogs()
{
    m_answers = {"/a/b.html", "/c/d.htm"};
    BrowseForFile(6, 5, 6, true);
    BrowseForFile(4, 4, 4, false);
    const FileDialogRequest &open = m_requests.at(0);
    QVERIFY(open.open);
    QVERIFY(open.mustExist);
    QCOMPARE(open.filter, QStringLiteral("All Files|*.*||"));
    QCOMPARE(open.defaultSuffix, QStringLiteral("html"));
    const FileDialogRequest &save = m_requests.at(1);
    QVERIFY(!save.open);
    QVERIFY(save.overwritePrompt);
    QCOMPARE(save.defaultSuffix, QStringLiteral("class"));
}

void tst_FilePicker::qtFilter_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("all-files") << "All Files|*.*||"
                               << "All Files (*)";
    QTest::newRow("names-with-patterns")
        << "HTML Files (*.htm; *.html)|*.htm; *.html|All Files (*.*)|*.*||"
        << "HTML Files (*.htm *.html);;All Files (*)";
    QTest::newRow("blank-around-bar") << "All Files (*.*) | *.*||"
                                      << "All Files (*)";
    QTest::newRow("empty") << ""
                           << "";
}

void tst_FilePicker::qtFilter()
{
    QFETCH(QString, filter);
    QFETCH(QString, qt);
    QCOMPARE(ToQtFileFilter(filter), qt);
}

QTEST_MAIN(tst_FilePicker)
#include "tst_FilePicker.moc"
