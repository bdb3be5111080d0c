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

    void okGivesTheFolderShownAndIgnoresTypedText()
    {
        CFolderDialog dialog("Pick", m_base);
        dialog.setDirectory(m_base + "/Start");
        // Even the name of an existing sub-folder in the name box does not count.
        auto *nameBox = dialog.findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(nameBox);
        nameBox->setText("Inner");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Folder(), m_base + "/Start");
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
