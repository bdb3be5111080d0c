#include "../support/DialogScript.h"

#include "insert/CInsertTableDlg.h"
#include "toolkit/CColorPickerButton.h"

#include <QFrame>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

// The Insert Table dialog and its colour-picker button, worked through the controls.
class tst_CInsertTableDlg : public QObject
{
    Q_OBJECT

private slots:
    void defaultTable();
    void boxes_data();
    void boxes();
    void colours_data();
    void colours();
    void borderSpin();
    void tooLargeIsRefusedWithMessage();
    void cancelGivesNothing();
};

namespace {

const QString kDefaultRow = "  <TR>\r\n    <TD>&nbsp</TD>\r\n    <TD>&nbsp</TD>\r\n  </TR>\r\n";

// Runs the dialog with the steps ("id=text" or "id" to click) and OK; "" when it stayed open.
QString Run(const QStringList &steps, QStringList *messages = nullptr,
            std::function<void(CInsertTableDlg &)> before = {})
{
    DialogScript script;
    bool stayedOpen = false;
    script.then([&](CDialog &d) {
        if (before)
            before(static_cast<CInsertTableDlg &>(d));
        for (const QString &step : steps) {
            const qsizetype eq = step.indexOf('=');
            if (eq < 0)
                DialogScript::click(d, step.toInt());
            else
                DialogScript::setText(d, step.left(eq).toInt(), step.mid(eq + 1));
        }
        const int result = DialogScript::ok(d);
        stayedOpen = d.isVisible();
        if (stayedOpen)
            d.reject();
        return result;
    });
    QString html;
    const bool ok = RunInsertTableDialog(nullptr, html);
    if (messages)
        *messages = script.messages;
    if (stayedOpen || !ok)
        return QString();
    return html;
}

QString HeadOf(const QString &html)
{
    return html.section("\r\n", 1, 1);
}

} // namespace

void tst_CInsertTableDlg::defaultTable()
{
    DialogScript script;
    QStringList texts;
    script.then([&](CDialog &d) {
        for (int id : {1036, 1034, 1035, 1042, 1041, 1039})
            texts << DialogScript::control<QLineEdit>(d, id)->text();
        texts << (DialogScript::control<QAbstractButton>(d, 1038)->isChecked() ? "percent" : "");
        texts << (static_cast<CInsertTableDlg &>(d).ColorButton()->IsDefault() ? "default" : "");
        return DialogScript::ok(d);
    });
    QString html;
    QVERIFY(RunInsertTableDialog(nullptr, html));
    QCOMPARE(script.titles, QStringList{"Insert Table"});
    QCOMPARE(texts, (QStringList{"75", "3", "2", "", "", "1", "percent", "default"}));
    QCOMPARE(html, "\r\n<TABLE WIDTH=\"75%\" BORDER=\"1\">\r\n" + kDefaultRow + kDefaultRow +
                       kDefaultRow + "</TABLE>\r\n");
}

void tst_CInsertTableDlg::boxes_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("head"); // "" when OK keeps the dialog open
    QTest::addColumn<int>("rows");

    QTest::newRow("12abc rows") << QStringList{"1034=12abc"} << "<TABLE WIDTH=\"75%\" BORDER=\"1\">"
                                << 12;
    QTest::newRow("0 rows") << QStringList{"1034=0"} << "" << 0;
    QTest::newRow("0 columns") << QStringList{"1035=0"} << "" << 0;
    QTest::newRow("rows not a number") << QStringList{"1034=abc"} << "" << 0;
    QTest::newRow("empty width") << QStringList{"1036="} << "<TABLE BORDER=\"1\">" << 3;
    QTest::newRow("pixels") << QStringList{"1037", "1036= 300\t"}
                            << "<TABLE WIDTH=\"300\" BORDER=\"1\">" << 3;
    QTest::newRow("border -3") << QStringList{"1039=-3"} << "<TABLE WIDTH=\"75%\" BORDER=\"0\">"
                               << 3;
    QTest::newRow("empty border") << QStringList{"1039="} << "<TABLE WIDTH=\"75%\" BORDER=\"0\">"
                                  << 3;
    QTest::newRow("spacing and padding")
        << QStringList{"1042=2", "1041=4"}
        << "<TABLE WIDTH=\"75%\" BORDER=\"1\" CELLSPACING=\"2\" CELLPADDING=\"4\">" << 3;
    QTest::newRow("negative rows: a table without rows")
        << QStringList{"1034=-2"} << "<TABLE WIDTH=\"75%\" BORDER=\"1\">" << 0;
}

void tst_CInsertTableDlg::boxes()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, head);
    QFETCH(int, rows);
    QStringList messages;
    const QString html = Run(steps, &messages);
    QVERIFY(messages.isEmpty());
    if (head.isEmpty()) {
        QCOMPARE(html, QString());
        return;
    }
    QCOMPARE(HeadOf(html), head);
    QCOMPARE(int(html.count("<TR>")), rows);
    QVERIFY(html.endsWith("</TABLE>\r\n"));
}

void tst_CInsertTableDlg::colours_data()
{
    QTest::addColumn<QStringList>("choices"); // swatch<n>, default, custom
    QTest::addColumn<int>("custom");          // what the custom chooser answers; -1 cancels
    QTest::addColumn<QString>("bgcolor");

    QTest::newRow("palette red") << QStringList{"swatch16"} << -1 << " bgcolor=rgb(255,0,0)";
    QTest::newRow("palette sky blue") << QStringList{"swatch29"} << -1 << " bgcolor=rgb(0,204,255)";
    QTest::newRow("colour, then default") << QStringList{"swatch16", "default"} << -1 << "";
    QTest::newRow("custom") << QStringList{"custom"} << 0x030201 << " bgcolor=rgb(1,2,3)";
    QTest::newRow("custom cancelled keeps the colour")
        << QStringList{"swatch0", "custom"} << -1 << " bgcolor=rgb(0,0,0)";
    QTest::newRow("custom equal to the no-colour value") << QStringList{"custom"} << 0xC3C0C0 << "";
}

void tst_CInsertTableDlg::colours()
{
    QFETCH(QStringList, choices);
    QFETCH(int, custom);
    QFETCH(QString, bgcolor);
    int reported = 0;
    const QString html = Run({"1042=2"}, nullptr, [&](CInsertTableDlg &d) {
        CColorPickerButton *button = d.ColorButton();
        QCOMPARE(button->objectName(), QStringLiteral("1087"));
        button->SetCustomChooser([custom](QWidget *, std::uint32_t &color) {
            if (custom < 0)
                return false;
            color = std::uint32_t(custom);
            return true;
        });
        connect(button, &CColorPickerButton::colorChosen, [&] { ++reported; });
        for (const QString &choice : choices) {
            button->click(); // opens the popup
            QFrame *popup = button->Popup();
            QVERIFY(popup && popup->isVisible());
            auto *entry = popup->findChild<QToolButton *>(choice);
            QVERIFY(entry);
            entry->click();
            QVERIFY(!button->Popup());
        }
    });
    QCOMPARE(HeadOf(html), "<TABLE" + bgcolor + " WIDTH=\"75%\" BORDER=\"1\" CELLSPACING=\"2\">");
    QCOMPARE(reported, int(choices.size()) - (custom < 0 && choices.endsWith("custom") ? 1 : 0));
}

void tst_CInsertTableDlg::borderSpin()
{
    DialogScript script;
    QStringList seen;
    script.then([&](CDialog &d) {
        QWidget *spin = DialogScript::control(d, 1040);
        auto *up = spin->findChild<QToolButton *>("up");
        auto *down = spin->findChild<QToolButton *>("down");
        auto *border = DialogScript::control<QLineEdit>(d, 1039);
        up->click();
        seen << border->text();
        border->setText("19");
        up->click();
        up->click();
        seen << border->text();
        border->setText("-3");
        down->click();
        seen << border->text();
        return DialogScript::ok(d);
    });
    QString html;
    QVERIFY(RunInsertTableDialog(nullptr, html));
    QCOMPARE(seen, (QStringList{"2", "20", "0"}));
}

void tst_CInsertTableDlg::tooLargeIsRefusedWithMessage()
{
    QStringList messages;
    QCOMPARE(Run({"1034=100000", "1035=100000"}, &messages), QString());
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.first().contains("too large"));
}

void tst_CInsertTableDlg::cancelGivesNothing()
{
    DialogScript script; // no answer: the dialog is cancelled
    QString html = "untouched";
    QVERIFY(!RunInsertTableDialog(nullptr, html));
    QCOMPARE(html, QStringLiteral("untouched"));
}

QTEST_MAIN(tst_CInsertTableDlg)
#include "tst_CInsertTableDlg.moc"
