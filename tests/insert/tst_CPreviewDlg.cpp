#include "insert/CPreviewDlg.h"

#include "imagelib/CBmp.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest>

// The open dialog with the picture preview, on small pictures written by the image library.
class tst_CPreviewDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void texts_data();
    void texts();
    void choosingInTheListShowsThePicture();
    void showPreviewChoiceIsRememberedForTheRun();
    void pictureRect_data();
    void pictureRect();

private:
    QString picture(const QString &name, int width, int height, int bits);
    QStringList texts(const CPreviewDlg &dialog) const;

    QTemporaryDir m_dir;
};

void tst_CPreviewDlg::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

void tst_CPreviewDlg::init()
{
    CPreviewDlg::SetShowPreviewChoice(true);
}

// A width x height picture of the given bit count, its colours varied so that it is no blank.
QString tst_CPreviewDlg::picture(const QString &name, int width, int height, int bits)
{
    CDib dib;
    if (!dib.Create(width, height, bits))
        return QString();
    for (size_t i = 0; i < dib.ImageSize(); ++i)
        dib.Bits()[i] = static_cast<uint8_t>(i * 37);
    for (size_t i = 0; i < dib.Palette().size(); ++i)
        dib.Palette()[i] = RgbQuad{uint8_t(i), uint8_t(255 - i), uint8_t(i * 3), 0};
    CBmp bmp;
    bmp.SetDib(std::move(dib));
    const QString path = m_dir.filePath(name);
    return bmp.SaveAs(fromQt(path)) ? path : QString();
}

QStringList tst_CPreviewDlg::texts(const CPreviewDlg &dialog) const
{
    QStringList all;
    for (int i = 0; i < 4; ++i)
        all << dialog.Text(i)->text();
    return all;
}

void tst_CPreviewDlg::texts_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("current"); // whether the file stays the current preview file

    QTest::newRow("1-bit") << picture("mono.bmp", 33, 7, 1)
                           << QStringList{"Width: 33 pixels", "Height: 7 pixels",
                                          "Colours: 2 (monocromatic)", ""}
                           << true;
    QTest::newRow("4-bit") << picture("sixteen.BMP", 5, 4, 4)
                           << QStringList{"Width: 5 pixels", "Height: 4 pixels", "Colours: 16", ""}
                           << true;
    QTest::newRow("8-bit") << picture("grey.bmp", 12, 40, 8)
                           << QStringList{"Width: 12 pixels", "Height: 40 pixels", "Colours: 256",
                                          ""}
                           << true;
    QTest::newRow("24-bit") << picture("true.bmp", 100, 50, 24)
                            << QStringList{"Width: 100 pixels", "Height: 50 pixels",
                                           "Colours: 16 millions", ""}
                            << true;

    const QString notes = m_dir.filePath("notes.txt");
    util::WriteFileAtomic(fromQt(notes), "just text");
    QTest::newRow("not a picture") << notes << QStringList{"", "", "", ""} << true;
    const QString corrupt = m_dir.filePath("broken.bmp");
    util::WriteFileAtomic(fromQt(corrupt), "BM this is no bitmap at all");
    QTest::newRow("corrupt picture") << corrupt << QStringList{"", "", "", ""} << false;
    QTest::newRow("missing picture")
        << m_dir.filePath("gone.png") << QStringList{"", "", "", ""} << false;
}

void tst_CPreviewDlg::texts()
{
    QFETCH(QString, file);
    QFETCH(QStringList, expected);
    QFETCH(bool, current);
    QVERIFY(!file.isEmpty());
    CPreviewDlg dialog(true, QString(), QString(), "All Files (*.*)|*.*|");
    // A picture shown first must not leave its texts behind.
    dialog.OnSelectionChanged(picture("first.bmp", 3, 3, 24));
    dialog.OnSelectionChanged(file);
    QCOMPARE(texts(dialog), expected);
    QCOMPARE(CPreviewDlg::CurrentFile(), current ? file : QString());
    QCOMPARE(dialog.Picture().isNull(), expected.first().isEmpty());
    if (!dialog.Picture().isNull())
        QCOMPARE(dialog.Picture().width(), expected.first().split(' ').at(1).toInt());
}

void tst_CPreviewDlg::choosingInTheListShowsThePicture()
{
    QTemporaryDir folder;
    const QString wanted = folder.filePath("wide.bmp");
    QVERIFY(QFile::copy(picture("wide-src.bmp", 100, 50, 24), wanted));
    CPreviewDlg dialog(true, QString(), QString(), "All Files (*.*)|*.*|");
    dialog.SetFolder(folder.path());
    dialog.show();
    QCOMPARE(CPreviewDlg::CurrentFile(), QString());
    auto *list = dialog.findChild<QListView *>(QStringLiteral("listView"));
    QVERIFY(list);
    QModelIndex index;
    const auto findFile = [&] {
        QAbstractItemModel *model = list->model();
        for (int row = 0; row < model->rowCount(list->rootIndex()); ++row) {
            const QModelIndex candidate = model->index(row, 0, list->rootIndex());
            if (candidate.data().toString() == QLatin1String("wide.bmp"))
                index = candidate;
        }
        return index.isValid();
    };
    QTRY_VERIFY_WITH_TIMEOUT(findFile(), 10000);
    list->setCurrentIndex(index);
    QCOMPARE(CPreviewDlg::CurrentFile(), wanted);
    QCOMPARE(dialog.Text(0)->text(), QStringLiteral("Width: 100 pixels"));

    // The area shows the picture at 180 by 90, 30 pixels from the top, and nothing above it.
    QWidget *area = dialog.PreviewArea();
    QCOMPARE(area->size(), QSize(180, 150));
    const QImage shot = area->grab().toImage();
    const QColor inside = shot.pixelColor(90, 75);
    const QColor above = shot.pixelColor(90, 10);
    QCOMPARE(above, area->palette().base().color());
    QVERIFY(inside != above);
}

void tst_CPreviewDlg::showPreviewChoiceIsRememberedForTheRun()
{
    const QString file = picture("choice.bmp", 8, 8, 8);
    {
        CPreviewDlg dialog(true, QString(), QString(), "All Files (*.*)|*.*|");
        QVERIFY(dialog.ShowPreviewBox()->isChecked());
        dialog.OnSelectionChanged(file);
        QCOMPARE(dialog.Text(2)->text(), QStringLiteral("Colours: 256"));
        dialog.ShowPreviewBox()->click(); // off: texts and picture go
        QVERIFY(!CPreviewDlg::ShowPreviewChoice());
        QCOMPARE(texts(dialog), QStringList({"", "", "", ""}));
        QVERIFY(dialog.Picture().isNull());
        QCOMPARE(CPreviewDlg::CurrentFile(), QString());
    }
    {
        CPreviewDlg dialog(true, QString(), QString(), "All Files (*.*)|*.*|");
        QVERIFY(!dialog.ShowPreviewBox()->isChecked());
        dialog.OnSelectionChanged(file); // nothing shown while off
        QCOMPARE(texts(dialog), QStringList({"", "", "", ""}));
        QCOMPARE(CPreviewDlg::CurrentFile(), QString());
        dialog.selectFile(file);
        dialog.ShowPreviewBox()->click(); // on again: the selected file is shown at once
        QVERIFY(CPreviewDlg::ShowPreviewChoice());
        QCOMPARE(dialog.Text(0)->text(), QStringLiteral("Width: 8 pixels"));
    }
}

void tst_CPreviewDlg::pictureRect_data()
{
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("wide") << QSize(180, 150) << QSize(100, 50) << QRect(0, 30, 180, 90);
    QTest::newRow("tall") << QSize(180, 150) << QSize(50, 100) << QRect(52, 0, 75, 150);
    // Wider than high, but less so than the area: full width would leave the area.
    QTest::newRow("nearly square") << QSize(180, 150) << QSize(100, 99) << QRect(14, 0, 151, 150);
    QTest::newRow("small enlarged") << QSize(180, 150) << QSize(2, 1) << QRect(0, 30, 180, 90);
    QTest::newRow("square") << QSize(150, 150) << QSize(7, 7) << QRect(0, 0, 150, 150);
    QTest::newRow("empty picture") << QSize(180, 150) << QSize(0, 5) << QRect();
}

void tst_CPreviewDlg::pictureRect()
{
    QFETCH(QSize, area);
    QFETCH(QSize, picture);
    QFETCH(QRect, expected);
    QCOMPARE(CPreviewDlg::PictureRect(area, picture), expected);
}

QTEST_MAIN(tst_CPreviewDlg)
#include "tst_CPreviewDlg.moc"
