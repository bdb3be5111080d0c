#include "insert/CBrowseEdit.h"
#include "insert/CPreviewDlg.h"

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>

// The "..." button opens the picture-previewing open dialog in the start folder.
class tst_CBrowseEdit : public QObject
{
    Q_OBJECT

private slots:
    void buttonPutsTheChosenPathIntoTheBox();
    void cancelKeepsTheBox();

private:
    // Presses the button; answer works the dialog once it is up.
    void pressWith(CBrowseEdit &edit, const std::function<void(CPreviewDlg &)> &answer);
};

void tst_CBrowseEdit::pressWith(CBrowseEdit &edit, const std::function<void(CPreviewDlg &)> &answer)
{
    bool answered = false;
    std::function<void()> poll = [&] {
        if (auto *dialog = qobject_cast<CPreviewDlg *>(QApplication::activeModalWidget())) {
            answered = true;
            answer(*dialog);
            return;
        }
        QTimer::singleShot(10, poll);
    };
    QTimer::singleShot(0, poll);
    QTest::mouseClick(edit.Button(), Qt::LeftButton);
    QVERIFY(answered);
}

void tst_CBrowseEdit::buttonPutsTheChosenPathIntoTheBox()
{
    QTemporaryDir folder;
    const QString file = folder.filePath("sun.gif");
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();

    CBrowseEdit edit;
    edit.SetText("typed");
    edit.SetStartFolder(folder.path());
    edit.show();
    QCOMPARE(edit.Button()->text(), QStringLiteral("..."));
    QSignalSpy chosen(&edit, &CBrowseEdit::fileChosen);
    QString startedIn, filter;
    bool open = false;
    pressWith(edit, [&](CPreviewDlg &dialog) {
        startedIn = dialog.directory().absolutePath();
        filter = dialog.nameFilters().join(";;");
        open = dialog.acceptMode() == QFileDialog::AcceptOpen;
        dialog.selectFile(file);
        dialog.accept();
    });
    QCOMPARE(startedIn, QDir(folder.path()).absolutePath());
    QCOMPARE(filter, QStringLiteral("All Files (*)"));
    QVERIFY(open);
    QCOMPARE(edit.Text(), file);
    QCOMPARE(chosen.size(), 1);
}

void tst_CBrowseEdit::cancelKeepsTheBox()
{
    CBrowseEdit edit;
    edit.SetText("images/keep.gif");
    edit.show();
    QSignalSpy changed(&edit, &CBrowseEdit::textChanged);
    pressWith(edit, [](CPreviewDlg &dialog) { dialog.reject(); });
    QCOMPARE(edit.Text(), QStringLiteral("images/keep.gif"));
    QCOMPARE(changed.size(), 0);
}

QTEST_MAIN(tst_CBrowseEdit)
#include "tst_CBrowseEdit.moc"
