#include "insert/CFramesetDlg.h"
#include "insert/CPreviewDlg.h"
#include "sites/CFolderDialog.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"
#include "../support/TestFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <sys/stat.h>
#include <unistd.h>

class tst_CFramesetDlg : public QObject
{
    Q_OBJECT

private:
    struct Controls
    {
        QLineEdit *site, *name, *frameName, *source;
        QPushButton *siteButton, *ok, *cancel;
        QComboBox *frames;
        QSpinBox *width, *height;
        QCheckBox *resize;
        QRadioButton *yes, *no, *automatic;
        QToolButton *layout(CFramesetDlg &d, int i) const
        {
            return d.findChild<QToolButton *>(QStringLiteral("layoutButton%1").arg(i));
        }
    };
    static Controls controls(CFramesetDlg &d)
    {
        return {d.findChild<QLineEdit *>("siteFolderEdit"),
                d.findChild<QLineEdit *>("fileNameEdit"),
                d.findChild<QLineEdit *>("frameNameEdit"),
                d.findChild<QLineEdit *>("sourceEdit"),
                d.findChild<QPushButton *>("siteFolderButton"),
                d.findChild<QPushButton *>("okButton"),
                d.findChild<QPushButton *>("cancelButton"),
                d.findChild<QComboBox *>("frameList"),
                d.findChild<QSpinBox *>("marginWidthBox"),
                d.findChild<QSpinBox *>("marginHeightBox"),
                d.findChild<QCheckBox *>("resizeCheck"),
                d.findChild<QRadioButton *>("scrollingYes"),
                d.findChild<QRadioButton *>("scrollingNo"),
                d.findChild<QRadioButton *>("scrollingAuto")};
    }
    static QString q(const std::string &text) { return QString::fromStdString(text); }
    static QByteArray fileBytes(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    // Types into a box the way a user does: select everything, then keys.
    static void retype(QWidget *box, const QString &text)
    {
        if (auto *spin = qobject_cast<QSpinBox *>(box))
            box = spin->findChild<QLineEdit *>();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        if (!text.isEmpty())
            QTest::keyClicks(box, text);
    }
    static void typeName(Controls &c, const QString &name) { retype(c.name, name); }
    static QByteArray frameLine(const CFramesetDlg &d, int frame)
    {
        return QByteArray::fromStdString(d.Frameset().m_frames[frame].GetHtml());
    }

    TempDir m_dir;
    std::string m_site;
    ProfileFile m_profile;
    QStringList m_messages;
    QMessageBox::StandardButton m_answer = QMessageBox::Ok;

private slots:
    void init()
    {
        m_messages.clear();
        m_answer = QMessageBox::Ok;
        SetMessageBoxHook([this](const MessageRequest &request) {
            m_messages << request.text;
            return m_answer;
        });
        static int round = 0;
        m_site = m_dir.file("site" + std::to_string(++round));
        QVERIFY(writeFile(m_site + "/keep.txt", "x"));
        m_profile.Clear();
        m_profile.Load(m_dir.file("Tandem" + std::to_string(round) + ".ini"));
        m_profile.SetString("General", "Site", m_site);
    }
    void cleanup()
    {
        SetMessageBoxHook(nullptr);
        CFolderDialog::SetHook(nullptr);
        SetFileDialogHook(nullptr);
    }

    void opensWithDefaults()
    {
        CFramesetDlg dialog(m_profile);
        Controls c = controls(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Create Frameset"));
        QCOMPARE(c.site->text(), q(m_site));
        QVERIFY(!c.site->isEnabled());
        QVERIFY(c.name->text().isEmpty());
        QVERIFY(!c.ok->isEnabled());
        QVERIFY(c.layout(dialog, 0)->isChecked());
        for (int i = 1; i < 6; ++i)
            QVERIFY(!c.layout(dialog, i)->isChecked());
        QCOMPARE(c.frames->count(), 2);
        QCOMPARE(c.frames->currentText(), QStringLiteral("Frame 1"));
        QCOMPARE(c.width->text(), QStringLiteral("0"));
        QCOMPARE(c.height->text(), QStringLiteral("0"));
        QVERIFY(c.resize->isChecked());
        QVERIFY(c.automatic->isChecked());

        typeName(c, "x");
        QVERIFY(c.ok->isEnabled());
        typeName(c, "");
        QVERIFY(!c.ok->isEnabled());
    }

    void layoutButtonsRefillTheList_data()
    {
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("frames");
        QTest::addColumn<QByteArray>("opening");
        QTest::newRow("two columns") << 0 << 2 << QByteArray("<HTML><FRAMESET COLS=\"30%,70%\">");
        QTest::newRow("two rows") << 1 << 2 << QByteArray("<HTML><FRAMESET ROWS=\"30%,70%\">");
        QTest::newRow("column, rows") << 2 << 3 << QByteArray("<HTML><FRAMESET COLS=\"30%,70%\">");
        QTest::newRow("row, columns") << 3 << 3 << QByteArray("<HTML><FRAMESET ROWS=\"30%,70%\">");
        QTest::newRow("three columns")
            << 4 << 3 << QByteArray("<HTML><FRAMESET COLS=\"33%,33%,34%\">");
        QTest::newRow("three rows")
            << 5 << 3 << QByteArray("<HTML><FRAMESET ROWS=\"33%,33%,34%\">");
    }
    void layoutButtonsRefillTheList()
    {
        QFETCH(int, layout);
        QFETCH(int, frames);
        QFETCH(QByteArray, opening);
        CFramesetDlg dialog(m_profile);
        Controls c = controls(dialog);
        c.frames->setCurrentIndex(1);
        QTest::mouseClick(c.layout(dialog, layout), Qt::LeftButton);
        QCOMPARE(dialog.Layout(), layout);
        for (int i = 0; i < 6; ++i)
            QCOMPARE(c.layout(dialog, i)->isChecked(), i == layout);
        QCOMPARE(c.frames->count(), frames);
        QCOMPARE(c.frames->currentIndex(), 0);
        QCOMPARE(c.frames->itemText(frames - 1), QStringLiteral("Frame %1").arg(frames));

        typeName(c, "f");
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QByteArray page = fileBytes(q(m_site) + "/f.html");
        QVERIFY2(page.startsWith(opening + "\r\n"), page.constData());
        QCOMPARE(page.count("<FRAME "), frames);
        QVERIFY(page.endsWith("</FRAMESET>\r\n<NOFRAMES>Your browser does not support "
                              "frames\r\n</NOFRAMES></HTML>\r\n"));
    }

    void fileNameAndPath_data()
    {
        QTest::addColumn<QString>("siteFolder"); // under the test folder
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("written");
        QTest::newRow("no dot gets .html") << "site"
                                           << "frames"
                                           << "site/frames.html";
        QTest::newRow("own extension kept") << "site"
                                            << "frames.htm"
                                            << "site/frames.htm";
        QTest::newRow("dotted site folder") << "my.site"
                                            << "frames"
                                            << "my.site/frames.html";
    }
    void fileNameAndPath()
    {
        QFETCH(QString, siteFolder);
        QFETCH(QString, fileName);
        QFETCH(QString, written);
        const QString folder = q(m_dir.path()) + QTest::currentDataTag() + "/" + siteFolder;
        QVERIFY(writeFile(folder.toStdString() + "/keep.txt", "x"));
        m_profile.SetString("General", "Site", folder.toStdString());
        CFramesetDlg dialog(m_profile);
        Controls c = controls(dialog);
        typeName(c, fileName);
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        const QString expected = q(m_dir.path()) + QTest::currentDataTag() + "/" + written;
        QCOMPARE(dialog.WrittenPath(), expected);
        QCOMPARE(fileBytes(expected),
                 QByteArray("<HTML><FRAMESET COLS=\"30%,70%\">\r\n"
                            "<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\">\r\n"
                            "<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\">\r\n"
                            "</FRAMESET>\r\n<NOFRAMES>Your browser does not support frames\r\n"
                            "</NOFRAMES></HTML>\r\n"));
        QVERIFY(m_messages.isEmpty());
    }

    void sourceReducedOnlyForAnExistingFullPath_data()
    {
        QTest::addColumn<QString>("typed"); // "@" stands for the site folder
        QTest::addColumn<QString>("stored");
        QTest::newRow("existing full path") << "@/left.html"
                                            << "left.html";
        QTest::newRow("missing full path") << "@/none.html"
                                           << "@/none.html";
        QTest::newRow("name only, existing") << "left.html"
                                             << "left.html";
        QTest::newRow("name only, missing") << "right.html"
                                            << "right.html";
    }
    void sourceReducedOnlyForAnExistingFullPath()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QVERIFY(writeFile(m_site + "/left.html", "<p>left</p>"));
        typed.replace("@", q(m_site));
        stored.replace("@", q(m_site));
        CFramesetDlg dialog(m_profile);
        Controls c = controls(dialog);
        retype(c.source, typed);
        QCOMPARE(c.source->text(), stored);
        QCOMPARE(dialog.Frameset().m_frames[0].m_strValue, stored.toStdString());
        QVERIFY(frameLine(dialog, 0).contains("SRC=\"" + stored.toUtf8() + "\""));
    }

    void browsedSourceIsReducedToo()
    {
        QVERIFY(writeFile(m_site + "/pages/menu.htm", "x"));
        CFramesetDlg dialog(m_profile);
        Controls c = controls(dialog);
        // The "..." opens the picture-previewing open dialog in the site folder.
        QString startedIn;
        std::function<void()> answer = [&] {
            if (auto *open = qobject_cast<CPreviewDlg *>(QApplication::activeModalWidget())) {
                startedIn = open->directory().absolutePath();
                open->selectFile(q(m_site) + "/pages/menu.htm");
                open->accept();
                return;
            }
            QTimer::singleShot(10, answer);
        };
        QTimer::singleShot(0, answer);
        QTest::mouseClick(dialog.findChild<QToolButton *>("sourceButton"), Qt::LeftButton);
        QCOMPARE(startedIn, QDir(q(m_site)).absolutePath());
        QCOMPARE(c.source->text(), QStringLiteral("menu.htm"));
        QCOMPARE(dialog.Frameset().m_frames[0].m_strValue, std::string("menu.htm"));
    }

    void marginsAreNumbersOrZero()
    {
        CFramesetDlg dialog(m_profile);
        Controls c = controls(dialog);
        retype(c.width, "12");
        retype(c.height, "7");
        QCOMPARE(dialog.Frameset().m_frames[0].m_nMarginWidth, 12);
        QCOMPARE(dialog.Frameset().m_frames[0].m_nMarginHeight, 7);

        // Letters never get into the box; an emptied box stores 0.
        retype(c.width, "abc");
        QCOMPARE(c.width->text(), QString());
        QCOMPARE(dialog.Frameset().m_frames[0].m_nMarginWidth, 0);
        retype(c.height, "4x");
        QCOMPARE(dialog.Frameset().m_frames[0].m_nMarginHeight, 4);
        QVERIFY(frameLine(dialog, 0).startsWith("<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"4\""));

        // The spin buttons step the value.
        retype(c.width, "5");
        c.width->stepUp();
        QCOMPARE(dialog.Frameset().m_frames[0].m_nMarginWidth, 6);
    }

    void scrollingAndResize_data()
    {
        QTest::addColumn<QString>("scrolling");
        QTest::addColumn<bool>("clearResize");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("auto writes nothing")
            << "scrollingAuto" << false
            << QByteArray("<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\">\r\n");
        QTest::newRow("yes") << "scrollingYes" << false
                             << QByteArray("<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" "
                                           "SCROLLING=\"YES\">\r\n");
        QTest::newRow("no, noresize") << "scrollingNo" << true
                                      << QByteArray("<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" "
                                                    "SCROLLING=\"NO\" NORESIZE>\r\n");
        QTest::newRow("auto, noresize")
            << "scrollingAuto" << true
            << QByteArray("<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" NORESIZE>\r\n");
    }
    void scrollingAndResize()
    {
        QFETCH(QString, scrolling);
        QFETCH(bool, clearResize);
        QFETCH(QByteArray, line);
        CFramesetDlg dialog(m_profile);
        dialog.show();
        Controls c = controls(dialog);
        c.frames->setCurrentIndex(1);
        // Leave auto first so that clicking it back is a real change.
        QTest::mouseClick(c.yes, Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QRadioButton *>(scrolling), Qt::LeftButton);
        if (clearResize)
            QTest::mouseClick(c.resize, Qt::LeftButton);
        QCOMPARE(frameLine(dialog, 1), line);
        QCOMPARE(frameLine(dialog, 0),
                 QByteArray("<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\">\r\n"));
    }

    void framesKeepTheirSettingsAcrossLayouts()
    {
        CFramesetDlg dialog(m_profile);
        dialog.show();
        Controls c = controls(dialog);
        retype(c.frameName, "menu");
        QTest::mouseClick(c.layout(dialog, 2), Qt::LeftButton);
        c.frames->setCurrentIndex(2);
        retype(c.frameName, "bottom");
        retype(c.source, "foot.html");
        retype(c.height, "3");
        QTest::mouseClick(c.no, Qt::LeftButton);

        // A two-frame layout writes frames 1 and 2 only.
        QTest::mouseClick(c.layout(dialog, 1), Qt::LeftButton);
        QCOMPARE(c.frames->count(), 2);
        QCOMPARE(c.frameName->text(), QStringLiteral("menu"));
        typeName(c, "two");
        QTest::mouseClick(c.ok, Qt::LeftButton);
        const QByteArray two = fileBytes(q(m_site) + "/two.html");
        QVERIFY(two.contains("NAME=\"menu\""));
        QVERIFY(!two.contains("bottom"));

        // Frame 3 is back, unchanged, in a three-frame layout.
        dialog.show();
        QTest::mouseClick(c.layout(dialog, 5), Qt::LeftButton);
        c.frames->setCurrentIndex(2);
        QCOMPARE(c.frameName->text(), QStringLiteral("bottom"));
        QCOMPARE(c.source->text(), QStringLiteral("foot.html"));
        QCOMPARE(c.height->text(), QStringLiteral("3"));
        QVERIFY(c.no->isChecked());
        c.frames->setCurrentIndex(1);
        QCOMPARE(c.frameName->text(), QString());
        QVERIFY(c.automatic->isChecked());
        typeName(c, "three");
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QCOMPARE(fileBytes(q(m_site) + "/three.html"),
                 QByteArray("<HTML><FRAMESET ROWS=\"33%,33%,34%\">\r\n"
                            "<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\" NAME=\"menu\">\r\n"
                            "<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"0\">\r\n"
                            "<FRAME MARGINWIDTH=\"0\" MARGINHEIGHT=\"3\" NAME=\"bottom\" "
                            "SRC=\"foot.html\" SCROLLING=\"NO\">\r\n"
                            "</FRAMESET>\r\n<NOFRAMES>Your browser does not support frames\r\n"
                            "</NOFRAMES></HTML>\r\n"));
    }

    void existingFileIsReplacedOnlyWhenAllowed()
    {
        const QByteArray old("<html>old page\r\n\0tail", 22);
        {
            QFile file(q(m_site) + "/frames.html");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(old);
        }
        CFramesetDlg dialog(m_profile);
        dialog.show();
        Controls c = controls(dialog);
        typeName(c, "frames");

        m_answer = QMessageBox::No;
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{q(m_site) + "/frames.html already exists. Do you want "
                                                     "to replace it?"});
        QVERIFY(dialog.isVisible()); // back in the dialog
        QVERIFY(dialog.WrittenPath().isEmpty());
        QCOMPARE(fileBytes(q(m_site) + "/frames.html"), old);

        m_answer = QMessageBox::Yes;
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QCOMPARE(m_messages.size(), 2);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(fileBytes(q(m_site) + "/frames.html").startsWith("<HTML><FRAMESET"));
    }

    void unwritableFolderIsReported_data()
    {
        QTest::addColumn<bool>("underAFile");
        QTest::newRow("folder below a file") << true;
        QTest::newRow("read-only folder") << false;
    }
    void unwritableFolderIsReported()
    {
        QFETCH(bool, underAFile);
        const std::string folder = underAFile ? m_site + "/keep.txt/site" : m_site;
        if (underAFile) {
            CFolderDialog::SetHook([&](const QString &, const QString &) {
                return std::optional<QString>(q(folder));
            });
        } else {
            QVERIFY(::chmod(m_site.c_str(), 0555) == 0);
            if (::access(m_site.c_str(), W_OK) == 0) {
                ::chmod(m_site.c_str(), 0755);
                QSKIP("running with rights that ignore folder permissions");
            }
        }
        CFramesetDlg dialog(m_profile);
        dialog.show();
        Controls c = controls(dialog);
        if (underAFile)
            QTest::mouseClick(c.siteButton, Qt::LeftButton);
        QCOMPARE(c.site->text(), q(folder));
        typeName(c, "frames");
        QTest::mouseClick(c.ok, Qt::LeftButton);
        ::chmod(m_site.c_str(), 0755);
        QCOMPARE(m_messages.size(), 1);
        QVERIFY2(m_messages[0].startsWith("The file " + q(folder) +
                                          "/frames.html could not be "
                                          "written.\n"),
                 qPrintable(m_messages[0]));
        // The reason follows on its own line.
        QVERIFY(m_messages[0].section('\n', 1).trimmed().size() > 0);
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.WrittenPath().isEmpty());
        QVERIFY(!QFile::exists(q(folder) + "/frames.html"));
    }

    void siteFolderButtonStoresTheChoice()
    {
        const std::string other = m_dir.file("other.site");
        QVERIFY(writeFile(other + "/keep.txt", "x"));
        QString askedTitle, askedStart;
        CFolderDialog::SetHook([&](const QString &title, const QString &start) {
            askedTitle = title;
            askedStart = start;
            return std::optional<QString>(q(other));
        });
        CFramesetDlg dialog(m_profile);
        Controls c = controls(dialog);
        QTest::mouseClick(c.siteButton, Qt::LeftButton);
        QCOMPARE(askedTitle, QStringLiteral("Select site folder"));
        QCOMPARE(askedStart, q(m_site));
        QCOMPARE(c.site->text(), q(other));
        std::string stored;
        QVERIFY(m_profile.GetString("General", "Site", stored));
        QCOMPARE(stored, other);

        typeName(c, "frames");
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QVERIFY(QFile::exists(q(other) + "/frames.html"));

        // Cancel in the picker changes nothing.
        CFolderDialog::SetHook([](const QString &, const QString &) { return std::nullopt; });
        CFramesetDlg again(m_profile);
        QTest::mouseClick(controls(again).siteButton, Qt::LeftButton);
        QCOMPARE(controls(again).site->text(), q(other));
    }

    void fileNameLeadingOutOfTheFolderIsRefused()
    {
        QVERIFY(writeFile(m_site + "/sub/keep.txt", "x"));
        CFramesetDlg dialog(m_profile);
        dialog.show();
        Controls c = controls(dialog);
        typeName(c, "sub/frames");
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{"Error: invalid file name"});
        QVERIFY(dialog.isVisible());
        QVERIFY(!QFile::exists(q(m_site) + "/sub/frames.html"));
    }
};

QTEST_MAIN(tst_CFramesetDlg)
#include "tst_CFramesetDlg.moc"
