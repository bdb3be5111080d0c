#include "toolkit/CDataExchange.h"
#include "toolkit/CDialog.h"
#include "toolkit/CInputDlg.h"
#include "toolkit/CPropertyPage.h"
#include "toolkit/CPropertySheet.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtTest>

// One integer field limited to 0..1024, as the positioning dialogs use it.
class NumberDialog : public CDialog
{
public:
    NumberDialog()
        : edit(new QLineEdit(this))
    {}
    void DoDataExchange(CDataExchange &dx) override
    {
        DDX_Text(dx, edit, value);
        DDV_MinMaxInt(dx, edit, value, 0, 1024);
    }
    QLineEdit *edit;
    int value = 7;
};

class CheckPage : public CPropertyPage
{
public:
    explicit CheckPage(const QString &caption)
        : CPropertyPage(caption)
        , box(new QCheckBox(this))
    {}
    void DoDataExchange(CDataExchange &dx) override { DDX_Check(dx, box, value); }
    QCheckBox *box;
    bool value = false;
};

class tst_CDataExchange : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void integerField_data();
    void integerField();
    void inputDialogEnablesOkWithText();
    void sheetSavesOnlyOpenedPages();

private:
    QList<MessageRequest> m_messages;
};

void tst_CDataExchange::init()
{
    m_messages.clear();
    SetMessageBoxHook([this](const MessageRequest &request) {
        m_messages.append(request);
        return QMessageBox::Ok;
    });
}

void tst_CDataExchange::cleanup()
{
    SetMessageBoxHook({});
}

void tst_CDataExchange::integerField_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("plain") << "12" << true << 12 << "";
    QTest::newRow("blanks-around") << " 1024 " << true << 1024 << "";
    QTest::newRow("zero") << "0" << true << 0 << "";
    // A number out of range reaches the field before the range check refuses the dialog.
    QTest::newRow("above-range") << "1025" << false << 1025
                                 << "Please enter an integer between 0 and 1024.";
    QTest::newRow("negative") << "-1" << false << -1
                              << "Please enter an integer between 0 and 1024.";
    QTest::newRow("letters") << "abc" << false << 7 << "Please enter an integer.";
    QTest::newRow("trailing-letters") << "12abc" << false << 7 << "Please enter an integer.";
    QTest::newRow("empty") << "" << false << 7 << "Please enter an integer.";
}

void tst_CDataExchange::integerField()
{
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    QFETCH(int, value);
    QFETCH(QString, message);
    NumberDialog dialog;
    dialog.UpdateData(false);
    QCOMPARE(dialog.edit->text(), QStringLiteral("7"));
    dialog.edit->setText(typed);
    dialog.accept();
    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    if (!message.isEmpty()) {
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.at(0).text, message);
        QCOMPARE(m_messages.at(0).title, QStringLiteral("Pelion"));
        // The refused field keeps its text, selected for retyping.
        QCOMPARE(dialog.edit->selectedText(), typed);
    } else {
        QVERIFY(m_messages.isEmpty());
    }
    QCOMPARE(dialog.value, value);
}

void tst_CDataExchange::inputDialogEnablesOkWithText()
{
    CInputDlg dialog(QStringLiteral("Enter URL"), QStringLiteral("http://"));
    int result = -1;
    CDialog::SetModalHook([&](CDialog &shown) {
        auto &input = static_cast<CInputDlg &>(shown);
        [&] {
            QCOMPARE(input.windowTitle(), QStringLiteral("Enter URL"));
            QCOMPARE(input.Edit()->text(), QStringLiteral("http://"));
            QCOMPARE(input.Edit()->selectedText(), QStringLiteral("http://"));
            QVERIFY(input.OkButton()->isEnabled());
            input.Edit()->clear();
            QVERIFY(!input.OkButton()->isEnabled());
            input.Edit()->setText(QStringLiteral("  two words "));
            QVERIFY(input.OkButton()->isEnabled());
        }();
        input.accept();
        return input.result();
    });
    result = dialog.DoModal();
    CDialog::SetModalHook({});
    QCOMPARE(result, int(QDialog::Accepted));
    QCOMPARE(dialog.Text(), QStringLiteral("  two words ")); // as typed, no trimming
}

void tst_CDataExchange::sheetSavesOnlyOpenedPages()
{
    for (bool ok : {true, false}) {
        CPropertySheet sheet(QStringLiteral("Pelion"));
        auto *first = new CheckPage(QStringLiteral("First"));
        auto *second = new CheckPage(QStringLiteral("Second"));
        auto *never = new CheckPage(QStringLiteral("Never"));
        sheet.AddPage(first);
        sheet.AddPage(second);
        sheet.AddPage(never);
        CDialog::SetModalHook([&](CDialog &) {
            first->box->setChecked(true);
            sheet.SetActivePage(1);
            second->box->setChecked(true);
            never->box->setChecked(true); // never shown: its field must not change
            if (ok)
                sheet.accept();
            else
                sheet.reject();
            return sheet.result();
        });
        const int result = sheet.DoModal();
        CDialog::SetModalHook({});
        QCOMPARE(sheet.windowTitle(), QStringLiteral("Pelion"));
        QCOMPARE(sheet.Tabs()->tabText(0), QStringLiteral("First"));
        QCOMPARE(result == QDialog::Accepted, ok);
        QCOMPARE(first->value, ok);
        QCOMPARE(second->value, ok);
        QVERIFY(!never->WasOpened());
        QVERIFY(!never->value);
    }
}

QTEST_MAIN(tst_CDataExchange)
#include "tst_CDataExchange.moc"
