#include "sites/CFolderDialog.h"
#include "sites/CSitesDlg.h"
#include "toolkit/MessageBox.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

class tst_CSitesDlg : public QObject
{
    Q_OBJECT

private:
    struct Controls
    {
        QListWidget *list;
        QLineEdit *name, *root, *sub;
        QPushButton *add, *update, *remove, *browse, *close;
    };
    static Controls controls(CSitesDlg &dialog)
    {
        return {dialog.findChild<QListWidget *>("sitesList"),
                dialog.findChild<QLineEdit *>("nameEdit"),
                dialog.findChild<QLineEdit *>("rootEdit"),
                dialog.findChild<QLineEdit *>("subFolderEdit"),
                dialog.findChild<QPushButton *>("addButton"),
                dialog.findChild<QPushButton *>("updateButton"),
                dialog.findChild<QPushButton *>("deleteButton"),
                dialog.findChild<QPushButton *>("browseButton"),
                dialog.findChild<QPushButton *>("closeButton")};
    }
    static QString key(const ProfileFile &profile, const char *name)
    {
        std::string value;
        return profile.GetString("Sites", name, value) ? QString::fromStdString(value)
                                                       : QStringLiteral("<none>");
    }
    // Reads the saved file back, so that a test sees what reached the disk.
    static ProfileFile saved(const std::string &path)
    {
        ProfileFile profile;
        profile.Load(path, true);
        return profile;
    }
    void addSite(Controls &c, const QString &name, const QString &root, const QString &sub)
    {
        c.name->setText(name);
        c.root->setText(root);
        c.sub->setText(sub);
        QVERIFY(c.add->isEnabled());
        QTest::mouseClick(c.add, Qt::LeftButton);
    }

    TempDir m_dir;
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
    }
    void cleanup()
    {
        SetMessageBoxHook(nullptr);
        CFolderDialog::SetHook(nullptr);
    }

    void opensWithStoredSitesAndInitialState()
    {
        ProfileFile profile;
        profile.SetString("Sites", "Items", "2");
        profile.SetString("Sites", "0", "zeta");
        profile.SetString("Sites", "1", "Alpha");
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Add, Edit, Delete Sites"));
        QCOMPARE(c.list->count(), 2);
        QCOMPARE(c.list->item(0)->text(), QStringLiteral("Alpha")); // sorted
        QCOMPARE(c.sub->text(), QStringLiteral("Media"));
        QVERIFY(!c.update->isEnabled());
        QVERIFY(!c.remove->isEnabled());
        QVERIFY(!c.add->isEnabled());
        QVERIFY(c.add->isDefault());
    }

    void addButtonState_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("root");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("new-name") << "Blog"
                                  << "/srv/blog" << true;
        QTest::newRow("prefix-of-existing-any-case") << "site"
                                                     << "/srv/x" << false;
        QTest::newRow("existing-name") << "Site2"
                                       << "/srv/x" << false;
        QTest::newRow("existing-is-prefix-of-new") << "Site22"
                                                   << "/srv/x" << true;
        QTest::newRow("no-root") << "Blog"
                                 << "" << false;
        QTest::newRow("no-name") << ""
                                 << "/srv/x" << false;
    }
    void addButtonState()
    {
        QFETCH(QString, name);
        QFETCH(QString, root);
        QFETCH(bool, enabled);
        ProfileFile profile;
        profile.SetString("Sites", "Items", "1");
        profile.SetString("Sites", "0", "Site2");
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        c.name->setText(name);
        c.root->setText(root);
        QCOMPARE(c.add->isEnabled(), enabled);
    }

    void addSiteWritesAndSaves()
    {
        const std::string path = m_dir.file("add.ini");
        ProfileFile profile;
        profile.Load(path);
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        addSite(c, "Home", "/srv/Web/Home/", "Media");

        const ProfileFile disk = saved(path);
        QCOMPARE(key(disk, "Items"), QStringLiteral("1"));
        QCOMPARE(key(disk, "0"), QStringLiteral("Home"));
        QCOMPARE(key(disk, "Home"), QStringLiteral("/srv/Web/Home"));
        QCOMPARE(key(disk, "/srv/web/home"), QStringLiteral("Media"));
        // The new site is listed and selected; the dialog stays open for the next one.
        QCOMPARE(c.list->count(), 1);
        QCOMPARE(c.list->currentItem()->text(), QStringLiteral("Home"));
        QVERIFY(c.update->isEnabled());
        QVERIFY(!c.add->isEnabled());

        addSite(c, "Blog", "/srv/blog", "");
        const ProfileFile disk2 = saved(path);
        QCOMPARE(key(disk2, "Items"), QStringLiteral("2"));
        QCOMPARE(key(disk2, "1"), QStringLiteral("Blog"));
        QCOMPARE(key(disk2, "/srv/blog"), QStringLiteral("<none>"));
        QVERIFY(m_messages.isEmpty());
    }

    void selectingShowsTheSite()
    {
        ProfileFile profile;
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        addSite(c, "Home", "/srv/Home", "pics");
        addSite(c, "Blog", "/srv/blog", "");
        c.list->setCurrentRow(c.list->row(c.list->findItems("Home", Qt::MatchExactly).first()));
        QCOMPARE(c.name->text(), QStringLiteral("Home"));
        QCOMPARE(c.root->text(), QStringLiteral("/srv/Home"));
        QCOMPARE(c.sub->text(), QStringLiteral("pics"));
        c.list->setCurrentRow(c.list->row(c.list->findItems("Blog", Qt::MatchExactly).first()));
        QCOMPARE(c.sub->text(), QString());
    }

    void deleteRewritesTheListAlphabetically()
    {
        const std::string path = m_dir.file("delete.ini");
        ProfileFile profile;
        profile.Load(path);
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        addSite(c, "gamma", "/srv/g", "Media");
        addSite(c, "Beta", "/srv/b", "Media");
        addSite(c, "alpha", "/srv/a", "Media");
        QCOMPARE(key(profile, "0"), QStringLiteral("gamma")); // Add appends

        c.list->setCurrentRow(1); // Beta, the second of three in the sorted list
        m_answer = QMessageBox::Cancel;
        QTest::mouseClick(c.remove, Qt::LeftButton);
        QCOMPARE(m_messages, QStringList{"Delete selected site definition"});
        QCOMPARE(c.list->count(), 3);
        QCOMPARE(key(saved(path), "Items"), QStringLiteral("3"));

        m_answer = QMessageBox::Ok;
        QTest::mouseClick(c.remove, Qt::LeftButton);
        const ProfileFile disk = saved(path);
        QCOMPARE(key(disk, "Items"), QStringLiteral("2"));
        QCOMPARE(key(disk, "0"), QStringLiteral("alpha"));
        QCOMPARE(key(disk, "1"), QStringLiteral("gamma"));
        QCOMPARE(key(disk, "Beta"), QStringLiteral("/srv/b")); // only the list is rewritten
        QCOMPARE(c.list->count(), 2);
        QCOMPARE(c.name->text(), QString());
        QCOMPARE(c.root->text(), QString());
        QCOMPARE(c.sub->text(), QStringLiteral("Media"));
        QVERIFY(!c.remove->isEnabled());
    }

    void updateReplacesTheSelectedSite()
    {
        const std::string path = m_dir.file("update.ini");
        ProfileFile profile;
        profile.Load(path);
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        addSite(c, "Home", "/srv/home", "Media");
        addSite(c, "Blog", "/srv/blog", "Media");

        c.list->setCurrentRow(c.list->row(c.list->findItems("Home", Qt::MatchExactly).first()));
        c.sub->setText("Pictures");
        QTest::mouseClick(c.update, Qt::LeftButton);
        const ProfileFile disk = saved(path);
        QCOMPARE(key(disk, "Items"), QStringLiteral("2"));
        QCOMPARE(key(disk, "0"), QStringLiteral("Blog"));
        QCOMPARE(key(disk, "1"), QStringLiteral("Home"));
        QCOMPARE(key(disk, "/srv/home"), QStringLiteral("Pictures"));
        QCOMPARE(c.list->findItems("Home", Qt::MatchExactly).size(), 1);
        QCOMPARE(c.list->count(), 2);

        // An emptied name would remove the site without adding it back; nothing happens.
        c.list->setCurrentRow(c.list->row(c.list->findItems("Home", Qt::MatchExactly).first()));
        c.name->clear();
        QTest::mouseClick(c.update, Qt::LeftButton);
        QCOMPARE(c.list->count(), 2);
        QCOMPARE(key(saved(path), "Items"), QStringLiteral("2"));
    }

    void collidingNamesAreRefused()
    {
        ProfileFile profile;
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        addSite(c, "Items", "/srv/items", "Media");
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(c.list->count(), 0);
        QCOMPARE(key(profile, "Items"), QStringLiteral("<none>"));
    }

    void browseSetsTheRootFolder()
    {
        ProfileFile profile;
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        QString askedTitle, askedStart = "unset";
        CFolderDialog::SetHook([&](const QString &title, const QString &start) {
            askedTitle = title;
            askedStart = start;
            return std::optional<QString>(QStringLiteral("/srv/Chosen"));
        });
        c.name->setText("New");
        QTest::mouseClick(c.browse, Qt::LeftButton);
        QCOMPARE(askedTitle, QStringLiteral("Select folder to store the images"));
        QCOMPARE(askedStart, QString());
        QCOMPARE(c.root->text(), QStringLiteral("/srv/Chosen"));
        QCOMPARE(c.name->text(), QStringLiteral("New"));
        QVERIFY(c.add->isEnabled());

        CFolderDialog::SetHook([](const QString &, const QString &) { return std::nullopt; });
        QTest::mouseClick(c.browse, Qt::LeftButton);
        QCOMPARE(c.root->text(), QStringLiteral("/srv/Chosen"));
    }

    void closeWritesNothing()
    {
        const std::string path = m_dir.file("close.ini");
        ProfileFile profile;
        profile.Load(path);
        CSitesDlg dialog(profile);
        Controls c = controls(dialog);
        c.name->setText("Typed");
        c.root->setText("/srv/typed");
        QTest::mouseClick(c.close, Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!profile.IsDirty());
        QVERIFY(!QFile::exists(QString::fromStdString(path)));
    }
};

QTEST_MAIN(tst_CSitesDlg)
#include "tst_CSitesDlg.moc"
