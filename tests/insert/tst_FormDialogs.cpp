#include "../support/DialogScript.h"

#include "insert/CCheckBoxDlg.h"
#include "insert/CFormButtonDlg.h"
#include "insert/CFormDlg.h"
#include "insert/CListMenuDlg.h"
#include "insert/CMenuItemDlg.h"
#include "insert/CRadioButtonDlg.h"
#include "insert/CTextFieldDlg.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

// The form element dialogs worked through their controls: what OK inserts, what it refuses.
class tst_FormDialogs : public QObject
{
    Q_OBJECT

private slots:
    void elementDialogs_data();
    void elementDialogs();
    void typeChoiceOverwritesLabel();
    void selectedToggles();
    void refusedInsertionStillCloses();
    void listExampleWithAndWithoutMultiple();
    void listRowsAreEditedAndMoved();
    void listOpensWithColumnsAndName();
    void listRangeAndEmptyList();
};

namespace {

std::unique_ptr<CDialog> MakeDialog(const QString &kind, QStringList &inserted)
{
    HtmlInserter insert = [&inserted](const QString &html) {
        inserted.append(html);
        return true;
    };
    if (kind == "form")
        return std::make_unique<CFormDlg>(insert);
    if (kind == "button")
        return std::make_unique<CFormButtonDlg>(insert);
    if (kind == "checkbox")
        return std::make_unique<CCheckBoxDlg>(insert);
    if (kind == "radio")
        return std::make_unique<CRadioButtonDlg>(insert);
    if (kind == "text")
        return std::make_unique<CTextFieldDlg>(insert);
    return std::make_unique<CListMenuDlg>(insert);
}

// Steps as "id=text" (type into a box) or "id" (click a button).
void Perform(CDialog &dialog, const QStringList &steps)
{
    for (const QString &step : steps) {
        const qsizetype eq = step.indexOf('=');
        if (eq < 0)
            DialogScript::click(dialog, step.toInt());
        else
            DialogScript::setText(dialog, step.left(eq).toInt(), step.mid(eq + 1));
    }
}

} // namespace

void tst_FormDialogs::elementDialogs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("html"); // empty: OK keeps the dialog open, nothing inserted
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("focus"); // the box that has the focus after a refusal

    QTest::newRow("form defaults")
        << "form"
        << "Form Design" << QStringList{"1011=order"}
        << "<form method=\"POST\" action=\"path-to-your-cgi\" name=\"order\"><p>&nbsp</p><p>&nbsp"
           "</p></form>"
        << "" << 0;
    QTest::newRow("form without action") << "form"
                                         << "Form Design" << QStringList{"1012="} << ""
                                         << "" << 0;
    QTest::newRow("form without method") << "form"
                                         << "Form Design" << QStringList{"1013="} << ""
                                         << "" << 0;
    QTest::newRow("button normal, label untouched")
        << "button"
        << "Add Form Button" << QStringList{"1011=b"}
        << "<input type=\"button\" value=\"\" name=\"b\">"
        << "" << 0;
    QTest::newRow("button reset") << "button"
                                  << "Add Form Button" << QStringList{"1011=b", "1074"}
                                  << "<input type=\"Reset\" value=\"Reset\" name=\"b\">"
                                  << "" << 0;
    QTest::newRow("check box unchecked keeps its blank")
        << "checkbox"
        << "Add CheckBox" << QStringList{"1011=agree"}
        << "<input type=\"checkbox\" name=\"agree\" value=\"ON\" >"
        << "" << 0;
    QTest::newRow("check box checked")
        << "checkbox"
        << "Add CheckBox" << QStringList{"1011=agree", "1003=yes", "1071"}
        << "<input type=\"checkbox\" name=\"agree\" value=\"yes\" checked>"
        << "" << 0;
    QTest::newRow("radio selected")
        << "radio"
        << "Add Radio Button" << QStringList{"1011=size", "1003=L", "1072"}
        << "<input type=\"radio\" value=\"L\" name=\"size\" checked>"
        << "" << 0;
    QTest::newRow("text field defaults")
        << "text"
        << "Add Text Field" << QStringList{"1011=t"}
        << "<input type=\"text\" value=\"\" name=\"t\" size=\"20\">"
        << "" << 0;
    QTest::newRow("password") << "text"
                              << "Add Text Field"
                              << QStringList{"1011=pw", "1003=x", "1074", "1004=8"}
                              << "<input type=\"password\" value=\"x\" name=\"pw\" size=\"8\">"
                              << "" << 0;
    QTest::newRow("two lines make a text area")
        << "text"
        << "Add Text Field" << QStringList{"1011=t", "1003=hello", "1074", "1005=2"}
        << "<textarea rows=\"2\" name=\"t\" cols=\"20\">hello</textarea>"
        << "" << 0;
    QTest::newRow("width 0 passes the check, inserts nothing")
        << "text"
        << "Add Text Field" << QStringList{"1004=0"} << ""
        << "" << 0;
    QTest::newRow("width 201") << "text"
                               << "Add Text Field" << QStringList{"1004=201"} << ""
                               << "Please enter an integer between 0 and 200." << 1004;
    QTest::newRow("width not a number") << "text"
                                        << "Add Text Field" << QStringList{"1004=2x"} << ""
                                        << "Please enter an integer." << 1004;
    QTest::newRow("lines 0") << "text"
                             << "Add Text Field" << QStringList{"1005=0"} << ""
                             << "Please enter an integer between 1 and 100." << 1005;
    QTest::newRow("lines 101") << "text"
                               << "Add Text Field" << QStringList{"1005=101"} << ""
                               << "Please enter an integer between 1 and 100." << 1005;
}

void tst_FormDialogs::elementDialogs()
{
    QFETCH(QString, kind);
    QFETCH(QString, title);
    QFETCH(QStringList, steps);
    QFETCH(QString, html);
    QFETCH(QString, message);
    QFETCH(int, focus);
    QStringList inserted;
    std::unique_ptr<CDialog> dialog = MakeDialog(kind, inserted);
    DialogScript script;
    bool stayedOpen = false;
    QWidget *focused = nullptr;
    script.then([&](CDialog &d) {
        Perform(d, steps);
        const int result = DialogScript::ok(d);
        stayedOpen = d.isVisible();
        focused = QApplication::focusWidget();
        if (stayedOpen)
            d.reject();
        return result;
    });
    const int result = dialog->DoModal();
    QCOMPARE(script.titles, QStringList{title});
    if (html.isEmpty()) {
        QVERIFY(stayedOpen);
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(inserted.isEmpty());
    } else {
        QVERIFY(!stayedOpen);
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(inserted, QStringList{html});
    }
    QCOMPARE(script.messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (focus) {
        QVERIFY(focused);
        QCOMPARE(focused->objectName(), QString::number(focus));
    }
}

void tst_FormDialogs::typeChoiceOverwritesLabel()
{
    QStringList inserted;
    CFormButtonDlg dialog([&](const QString &html) {
        inserted.append(html);
        return true;
    });
    DialogScript script;
    script.then([](CDialog &d) {
        DialogScript::setText(d, 1011, "go");
        DialogScript::setText(d, 1003, "Send it");
        DialogScript::click(d, 1073); // Submit replaces the typed label
        if (DialogScript::control<QLineEdit>(d, 1003)->text() != "Submit")
            return int(QDialog::Rejected);
        DialogScript::click(d, 1072); // Normal writes "button"
        if (DialogScript::control<QLineEdit>(d, 1003)->text() != "button")
            return int(QDialog::Rejected);
        DialogScript::click(d, 1073);
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(inserted, QStringList{"<input type=\"Submit\" value=\"Submit\" name=\"go\">"});
    QCOMPARE(dialog.m_nType, 1);
}

void tst_FormDialogs::selectedToggles()
{
    QStringList inserted;
    CRadioButtonDlg dialog([&](const QString &html) {
        inserted.append(html);
        return true;
    });
    DialogScript script;
    QList<bool> states;
    script.then([&](CDialog &d) {
        auto *selected = DialogScript::control<QRadioButton>(d, 1072);
        states << selected->isChecked();
        for (int i = 0; i < 3; ++i) {
            selected->click();
            states << selected->isChecked();
        }
        DialogScript::setText(d, 1011, "g");
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(states, (QList<bool>{false, true, false, true}));
    QCOMPARE(inserted, QStringList{"<input type=\"radio\" value=\"\" name=\"g\" checked>"});
}

void tst_FormDialogs::refusedInsertionStillCloses()
{
    int offered = 0;
    CCheckBoxDlg dialog([&](const QString &) {
        ++offered;
        return false; // an object is selected
    });
    DialogScript script;
    script.then(&DialogScript::ok);
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(offered, 1);
    QVERIFY(script.messages.isEmpty());
}

namespace {

// An answer for the menu-item dialog.
DialogScript::Answer MenuItem(const QString &item, const QString &value, bool selected)
{
    return [=](CDialog &d) {
        DialogScript::setText(d, 1011, item);
        DialogScript::setText(d, 1003, value);
        DialogScript::control<QCheckBox>(d, 1086)->setChecked(selected);
        return DialogScript::ok(d);
    };
}

QStringList RowTexts(QTreeWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = list->topLevelItem(i);
        rows << item->text(0) + "|" + item->text(1) + "|" + item->text(2);
    }
    return rows;
}

} // namespace

void tst_FormDialogs::listExampleWithAndWithoutMultiple()
{
    const QString rows = "<option value=\"r\" selected>Red</option><option >Blue</option>";
    for (bool multiple : {true, false}) {
        QStringList inserted;
        CListMenuDlg dialog([&](const QString &html) {
            inserted.append(html);
            return true;
        });
        DialogScript script;
        bool switchedOn = false;
        QStringList shown;
        script.then([&](CDialog &d) {
            DialogScript::click(d, 1082);
            DialogScript::click(d, 1082);
            // Blue was added while Red is selected: multiple selection switches itself on.
            auto *box = DialogScript::control<QCheckBox>(d, 1085);
            switchedOn = box->isChecked();
            if (!multiple)
                box->click();
            shown = RowTexts(dialog.List());
            return DialogScript::ok(d);
        });
        script.then(MenuItem("Red", "r", true));
        script.then(MenuItem("Blue", "", false));
        QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
        QCOMPARE(script.titles,
                 (QStringList{"Add List / Menu", "Add / Edit Menu Item", "Add / Edit Menu Item"}));
        QVERIFY(switchedOn);
        QCOMPARE(shown, (QStringList{"Red|r|Yes", "Blue||No"}));
        QCOMPARE(inserted, QStringList{(multiple ? "<select size=\"1\" name=\"List1\"multiple>"
                                                 : "<select size=\"1\" name=\"List1\">") +
                                       rows + "</select>"});
    }
}

void tst_FormDialogs::listRowsAreEditedAndMoved()
{
    QStringList inserted;
    CListMenuDlg dialog([&](const QString &html) {
        inserted.append(html);
        return true;
    });
    DialogScript script;
    QList<QStringList> states;
    QStringList modifyPreset;
    QTreeWidget *list = dialog.List();
    script.then([&](CDialog &d) {
        for (int i = 0; i < 3; ++i)
            DialogScript::click(d, 1082);
        states << RowTexts(list);
        DialogScript::click(d, 1086); // c up
        DialogScript::click(d, 1086); // c up
        DialogScript::click(d, 1086); // at the top: stays
        states << RowTexts(list);
        DialogScript::click(d, 1087); // c down
        states << RowTexts(list);
        DialogScript::click(d, 1083); // modify c (the mark)
        states << RowTexts(list);
        DialogScript::click(d, 1084); // delete c
        states << RowTexts(list);
        // Switching multiple off keeps the first selected row only.
        DialogScript::click(d, 1085);
        states << RowTexts(list);
        // In place: F2 edits the item text of the marked row.
        list->setFocus();
        list->setCurrentItem(list->currentItem(), 0);
        QTest::keyClick(list, Qt::Key_F2);
        if (auto *editor = list->viewport()->findChild<QLineEdit *>()) {
            editor->selectAll();
            QTest::keyClicks(editor, "B2");
            QTest::keyClick(editor, Qt::Key_Return); // ends the edit, leaves the dialog open
        }
        // The rename is checked below with the rows that follow.
        (void)QTest::qWaitFor([&] { return list->currentItem()->text(0) == "B2"; }, 5000);
        states << QStringList{d.isVisible() ? "open" : "closed"};
        return DialogScript::ok(d);
    });
    script.then(MenuItem("a", "1", true));
    script.then(MenuItem("b", "", true));
    script.then(MenuItem("c", "3", false));
    script.then([&](CDialog &d) {
        modifyPreset << DialogScript::control<QLineEdit>(d, 1011)->text()
                     << DialogScript::control<QLineEdit>(d, 1003)->text()
                     << (DialogScript::control<QCheckBox>(d, 1086)->isChecked() ? "on" : "off");
        DialogScript::setText(d, 1011, "C");
        DialogScript::control<QCheckBox>(d, 1086)->setChecked(true);
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(states.value(0), (QStringList{"a|1|Yes", "b||Yes", "c|3|No"}));
    QCOMPARE(states.value(1), (QStringList{"c|3|No", "a|1|Yes", "b||Yes"}));
    QCOMPARE(states.value(2), (QStringList{"a|1|Yes", "c|3|No", "b||Yes"}));
    QCOMPARE(modifyPreset, (QStringList{"c", "3", "off"}));
    QCOMPARE(states.value(3), (QStringList{"a|1|Yes", "C|3|Yes", "b||Yes"}));
    QCOMPARE(states.value(4), (QStringList{"a|1|Yes", "b||Yes"}));
    QCOMPARE(states.value(5), (QStringList{"a|1|Yes", "b||No"}));
    QCOMPARE(states.value(6), QStringList{"open"});
    QCOMPARE(inserted, QStringList{"<select size=\"1\" name=\"List1\"><option value=\"1\" "
                                   "selected>a</option><option >B2</option></select>"});
}

void tst_FormDialogs::listOpensWithColumnsAndName()
{
    CListMenuDlg dialog([](const QString &) { return true; });
    DialogScript script;
    QList<int> widths;
    int viewport = 0;
    QString selectedName;
    QWidget *focused = nullptr;
    script.then([&](CDialog &d) {
        QTreeWidget *list = DialogScript::control<QTreeWidget>(d, 1081);
        viewport = list->viewport()->width();
        for (int c = 0; c < 3; ++c)
            widths << list->columnWidth(c);
        selectedName = DialogScript::control<QLineEdit>(d, 1011)->selectedText();
        focused = QApplication::focusWidget();
        // Modify and Delete on an empty list do nothing; Modify takes the first row without a
        // mark.
        DialogScript::click(d, 1083);
        DialogScript::click(d, 1084);
        d.reject();
        return int(QDialog::Rejected);
    });
    dialog.DoModal();
    QVERIFY(viewport > 0);
    QCOMPARE(widths, (QList<int>{viewport / 2, viewport / 3, viewport / 6}));
    QCOMPARE(selectedName, QStringLiteral("List1"));
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), QStringLiteral("1011"));
    QCOMPARE(script.titles, QStringList{"Add List / Menu"}); // no item dialog opened
}

void tst_FormDialogs::listRangeAndEmptyList()
{
    QStringList inserted;
    CListMenuDlg dialog([&](const QString &html) {
        inserted.append(html);
        return true;
    });
    DialogScript script;
    QStringList focus;
    script.then([&](CDialog &d) {
        for (const char *height : {"0", "101", "x"}) {
            DialogScript::setText(d, 1004, height);
            DialogScript::ok(d);
            focus << (QApplication::focusWidget() ? QApplication::focusWidget()->objectName()
                                                  : QString());
        }
        DialogScript::setText(d, 1004, " 3 ");
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(script.messages, (QStringList{"Please enter an integer between 1 and 100.",
                                           "Please enter an integer between 1 and 100.",
                                           "Please enter an integer."}));
    QCOMPARE(focus, (QStringList{"1004", "1004", "1004"}));
    QCOMPARE(inserted, QStringList{"<select size=\"3\" name=\"List1\"></select>"});
}

QTEST_MAIN(tst_FormDialogs)
#include "tst_FormDialogs.moc"
