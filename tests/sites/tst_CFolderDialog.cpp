#include "sites/CFolderDialog.h"

#include "../support/TempDir.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

class tst_CFolderDialog : public QObject
{
    Q_OBJECT

    TempDir m_dir;
    QString m_base;

private slots:
    void initTestCase()
    {
        m_base = QDir::cleanPath(QString::fromStdString(m_dir.path()));
        QVERIFY(QDir().mkpath(m_base + "/Start/Inner"));
    }

    void showsFoldersOnlyFromTheStartFolder()
    {
        CFolderDialog dialog("Select site folder", m_base + "/Start");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Select site folder"));
        QCOMPARE(dialog.fileMode(), QFileDialog::Directory);
        QVERIFY(dialog.testOption(QFileDialog::ShowDirsOnly));
        QCOMPARE(QDir::cleanPath(dialog.directory().absolutePath()), m_base + "/Start");
    }

    void okGivesTheFolderTypedOrSelected_data()
    {
        QTest::addColumn<QString>("typed");    // into the name box
        QTest::addColumn<QString>("selected"); // in the list
        QTest::addColumn<QString>("chosen");   // below the base folder
        QTest::newRow("typed") << "Inner"
                               << ""
                               << "/Start/Inner";
        QTest::newRow("typed-absolute") << m_base + "/Start/Inner"
                                        << ""
                                        << "/Start/Inner";
        QTest::newRow("selected") << ""
                                  << "Inner"
                                  << "/Start/Inner";
        QTest::newRow("neither") << ""
                                 << ""
                                 << "/Start";
    }

    void okGivesTheFolderTypedOrSelected()
    {
        QFETCH(QString, typed);
        QFETCH(QString, selected);
        QFETCH(QString, chosen);
        CFolderDialog dialog("Pick", m_base);
        dialog.setDirectory(m_base + "/Start");
        dialog.show();
        auto *nameBox = dialog.findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(nameBox);
        if (typed.startsWith('/'))
            nameBox->setText(typed); // pasted: the box's completer jumps at every "/" typed
        else if (!typed.isEmpty())
            QTest::keyClicks(nameBox, typed);
        if (!selected.isEmpty())
            dialog.selectFile(m_base + "/Start/" + selected);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Folder(), m_base + chosen);
    }

    void typedNameThatIsNoFolderKeepsTheDialogOpen()
    {
        CFolderDialog dialog("Pick", m_base + "/Start");
        dialog.show();
        auto *nameBox = dialog.findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(nameBox);
        QTest::keyClicks(nameBox, "Missing");
        // The dialog says that there is no such folder.
        QString said;
        QTimer::singleShot(0, [&said] {
            if (QWidget *box = QApplication::activeModalWidget()) {
                said = box->windowTitle();
                box->close();
            }
        });
        dialog.accept();
        QCOMPARE(said, QStringLiteral("Pick"));
        QVERIFY(dialog.Folder().isEmpty());
        QVERIFY(dialog.isVisible());
    }

    void runModally()
    {
        // OK in a real modal loop.
        QTimer::singleShot(0, [this] {
            auto *dialog = qobject_cast<CFolderDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->setDirectory(m_base + "/Start");
            dialog->accept();
        });
        QString folder;
        QVERIFY(CFolderDialog::Run(nullptr, "Pick", m_base, folder));
        QCOMPARE(folder, m_base + "/Start");

        // Cancel gives nothing and leaves the out value alone.
        QTimer::singleShot(0, [] {
            if (auto *dialog = qobject_cast<CFolderDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        folder = "unchanged";
        QVERIFY(!CFolderDialog::Run(nullptr, "Pick", m_base, folder));
        QCOMPARE(folder, QStringLiteral("unchanged"));
    }
};

QTEST_MAIN(tst_CFolderDialog)
#include "tst_CFolderDialog.moc"
