#include "sites/CFolderDialog.h"
#include "sites/CNewFileDlg.h"
#include "toolkit/MessageBox.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"
#include "../support/TestFiles.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class tst_CNewFileDlg : public QObject
{
    Q_OBJECT

private:
    struct Controls
    {
        QLineEdit *site, *name, *title;
        QListWidget *templates;
        QPushButton *browse, *ok, *cancel;
    };
    static Controls controls(CNewFileDlg &dialog)
    {
        return {dialog.findChild<QLineEdit *>("siteFolderEdit"),
                dialog.findChild<QLineEdit *>("fileNameEdit"),
                dialog.findChild<QLineEdit *>("titleEdit"),
                dialog.findChild<QListWidget *>("templateList"),
                dialog.findChild<QPushButton *>("browseButton"),
                dialog.findChild<QPushButton *>("okButton"),
                dialog.findChild<QPushButton *>("cancelButton")};
    }
    static QString q(const std::string &text) { return QString::fromStdString(text); }

    TempDir m_dir;
    std::string m_site;
    std::string m_profilePath;
    ProfileFile m_profile;
    QStringList m_messages;

private slots:
    void init()
    {
        m_messages.clear();
        SetMessageBoxHook([this](const MessageRequest &request) {
            m_messages << request.text;
            return QMessageBox::Ok;
        });
        const std::string program = m_dir.file("program/");
        QVERIFY(writeFile(program + "Bin/qxlib.js", "// library"));
        QVERIFY(writeFile(program + "Bin/qxlib.css", "/* styles */"));
        QVERIFY(writeFile(program + "Bin/default.htt",
                          "<HTML><HEAD><TITLE></TITLE></HEAD><BODY></BODY></HTML>$(Copy) notes"));
        util::SetProgramFolder(program);
        static int round = 0;
        m_site = m_dir.file("site" + std::to_string(++round));
        QVERIFY(util::MakeFolders(m_site));
        m_profilePath = m_dir.file("Tandem" + std::to_string(round) + ".ini");
        m_profile.Clear();
        m_profile.Load(m_profilePath);
        m_profile.SetString("General", "Site", m_site);
    }
    void cleanup()
    {
        SetMessageBoxHook(nullptr);
        CFolderDialog::SetHook(nullptr);
        util::SetProgramFolder("");
    }

    void opensWithProposalAndPlaceholderSelected()
    {
        QVERIFY(writeFile(m_site + "/index.html", "x"));
        QVERIFY(writeFile(m_site + "/b.htt", "x"));
        QVERIFY(writeFile(m_site + "/A.htt", "x"));
        CNewFileDlg dialog(m_profile);
        Controls c = controls(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("New FIle"));
        QCOMPARE(c.site->text(), q(m_site));
        QVERIFY(!c.site->isEnabled());
        QCOMPARE(c.name->text(), QStringLiteral("page0002.html"));
        QCOMPARE(c.title->text(), QStringLiteral("*** Enter Page Title ***"));
        QCOMPARE(c.title->selectedText(), c.title->text());
        QCOMPARE(c.templates->count(), 2);
        QCOMPARE(c.templates->item(0)->text(), QStringLiteral("A.htt"));
        QVERIFY(c.templates->selectedItems().isEmpty());
        QVERIFY(c.ok->isDefault());
    }

    void browseRefreshesAndStoresTheFolder()
    {
        CNewFileDlg dialog(m_profile);
        Controls c = controls(dialog);
        QCOMPARE(c.name->text(), QStringLiteral("index.html"));
        QCOMPARE(c.templates->count(), 0);

        const std::string other = m_dir.file("other-site");
        QVERIFY(writeFile(other + "/index.html", "x"));
        QVERIFY(writeFile(other + "/page0002.html", "x"));
        QVERIFY(writeFile(other + "/news.htt", "x"));
        QString askedTitle, askedStart;
        CFolderDialog::SetHook([&](const QString &title, const QString &start) {
            askedTitle = title;
            askedStart = start;
            return std::optional<QString>(q(other));
        });
        c.title->setText("Kept title");
        QTest::mouseClick(c.browse, Qt::LeftButton);
        QCOMPARE(askedTitle, QStringLiteral("Select site folder"));
        QCOMPARE(askedStart, q(m_site));
        QCOMPARE(c.site->text(), q(other));
        QCOMPARE(c.name->text(), QStringLiteral("page0003.html"));
        QCOMPARE(c.title->text(), QStringLiteral("Kept title"));
        QCOMPARE(c.templates->count(), 1);
        QCOMPARE(c.templates->item(0)->text(), QStringLiteral("news.htt"));

        // Stored at once, and saved, even if the dialog is cancelled now.
        QTest::mouseClick(c.cancel, Qt::LeftButton);
        ProfileFile disk;
        disk.Load(m_profilePath, true);
        std::string stored;
        QVERIFY(disk.GetString("General", "Site", stored));
        QCOMPARE(q(stored), q(other));
        CNewFileDlg next(m_profile);
        QCOMPARE(controls(next).site->text(), q(other));
    }

    void errorMessagesKeepTheDialogOpen_data()
    {
        QTest::addColumn<QString>("site");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("removeDefaultTemplate");
        QTest::addColumn<QString>("message");
        QTest::newRow("no-site-folder") << ""
                                        << "a.html" << false << "Error: Site folder not found";
        QTest::newRow("no-file-name") << "SITE"
                                      << "" << false << "Error: invalid file name";
        QTest::newRow("no-template") << "SITE"
                                     << "a.html" << true << "Error: file writing failed";
    }
    void errorMessagesKeepTheDialogOpen()
    {
        QFETCH(QString, site);
        QFETCH(QString, name);
        QFETCH(bool, removeDefaultTemplate);
        QFETCH(QString, message);
        if (removeDefaultTemplate)
            QVERIFY(QFile::remove(q(util::ProgramFolder() + "Bin/default.htt")));
        CNewFileDlg dialog(m_profile);
        Controls c = controls(dialog);
        c.site->setText(site == "SITE" ? q(m_site) : site);
        c.name->setText(name);
        QTest::mouseClick(c.ok, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{message});
        QCOMPARE(dialog.result(), 0);
        QVERIFY(dialog.CreatedPath().empty());
        QVERIFY(!util::FileExists(m_site + "/a.html"));
    }

    void okCreatesThePage()
    {
        QVERIFY(writeFile(m_site + "/fancy.htt",
                          "<HTML><HEAD><TITLE>Old</TITLE></HEAD><BODY>fancy</BODY>"
                          "</HTML>$(Copy) rest"));
        CNewFileDlg dialog(m_profile);
        // The way File New runs it.
        CDialog::SetModalHook([](CDialog &d) {
            auto &self = static_cast<CNewFileDlg &>(d);
            Controls c = controls(self);
            c.templates->setCurrentRow(0);
            c.name->setText("about");
            QTest::keyClicks(c.title, "About us");
            QTest::mouseClick(c.ok, Qt::LeftButton);
            return self.result();
        });
        const int result = dialog.DoModal();
        CDialog::SetModalHook(nullptr);
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(m_messages.isEmpty());
        QCOMPARE(q(dialog.CreatedPath()), q(m_site + "/about.html"));
        QCOMPARE(
            q(readAll(dialog.CreatedPath())),
            QStringLiteral("<HTML><HEAD><TITLE>About us</TITLE></HEAD><BODY>fancy</BODY></HTML>"));
        QCOMPARE(q(readAll(m_site + "/qxlib.js")), QStringLiteral("// library"));
        QVERIFY(util::FileExists(m_site + "/qxlib.css"));
    }

    void defaultTemplateAndPlaceholderTitle()
    {
        CNewFileDlg dialog(m_profile);
        QTest::mouseClick(controls(dialog).ok, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(q(readAll(m_site + "/index.html")),
                 QStringLiteral("<HTML><HEAD><TITLE>*** Enter Page Title ***</TITLE></HEAD>"
                                "<BODY></BODY></HTML>"));
    }

    void cancelCreatesNothing()
    {
        CNewFileDlg dialog(m_profile);
        QTest::mouseClick(controls(dialog).cancel, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(util::ListFiles(m_site, "*").empty());
    }
};

QTEST_MAIN(tst_CNewFileDlg)
#include "tst_CNewFileDlg.moc"
