// The property panel driven through its widgets: split, sorting, editors opened by typing, Tab
// and double-click, the file dialog, the colour palette, the context menu, and two page
// documents shown in turn.
#include "page/CCEditDoc.h"
#include "propgrid/CHyperFontDlg.h"
#include "propgrid/CPropColourPalette.h"
#include "propgrid/CPropFont.h"
#include "propgrid/CPropListBox.h"
#include "propgrid/CPropObArray.h"
#include "propgrid/CPropOwner.h"
#include "propgrid/CPropPanel.h"
#include "propgrid/PropStrings.h"
#include "toolkit/CView.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// Records the update notices a document sends to its views.
class HintView : public CView
{
public:
    void OnUpdate(CView *, int hint) override { hints.append(hint); }
    QList<int> hints;
};

// A page document with its items, as the program makes one, and a view that hears hint 2.
struct Page
{
    Page()
    {
        doc.OnNewDocument();
        doc.AddView(&view);
    }
    ~Page() { doc.RemoveView(&view); }
    int applies() const { return int(view.hints.count(2)); }

    CCEditDoc doc;
    HintView view;
};

// An owner with one font property bound to its variable.
struct FontOwner : CPropOwner
{
    FontOwner()
    {
        font = {};
        items.Add(std::make_unique<CPropFont>(&font, propstr::DefaultFont));
    }
    CPropObArray &PropertyItems() override { return items; }
    void PropertiesApplied() override {}
    std::string ReferenceFolder() const override { return {}; }
    std::string BrowseFolder() const override { return {}; }

    PropLogFont font;
    CPropObArray items;
};

enum Row { Title, Description, Keywords, Sound, PlaySound, Background, BgColour, BgStyle, Link };

QString RowText(CPropListBox *list, int row)
{
    return list->item(row)->text();
}

} // namespace

class tst_CPropPanel : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void firstSplit_data();
    void firstSplit();
    void dragStopsShortOfTheEdge();
    void sortingOffKeepsArrayOrder();
    void typingReplacesTextValue();
    void tabRules();
    void doubleClickStepsThroughChoices();
    void fileDialogAnswers_data();
    void fileDialogAnswers();
    void paletteAppliesOnlyNewColours();
    void contextMenuAndSortReset();
    void twoPagesKeepTheirValues();
    void closingTheShownPageEmptiesThePanel();
    void fontDialogAppliesAndDefaults();

private:
    // Sizes the panel so that the list's usable width is exactly usable.
    void sizeForUsableWidth(int usable);
    // Selects a row the way a navigation key does: no editor opens.
    void selectRow(int row);

    std::unique_ptr<CPropPanel> m_panel;
};

void tst_CPropPanel::init()
{
    CPropListBox::ForgetSplit();
    CPropListBox::SetSorted(false);
    m_panel = std::make_unique<CPropPanel>();
    m_panel->resize(300, 400);
    m_panel->show();
    m_panel->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_panel.get()));
}

void tst_CPropPanel::cleanup()
{
    m_panel.reset();
}

void tst_CPropPanel::sizeForUsableWidth(int usable)
{
    CPropListBox *list = m_panel->GetListBox();
    for (int i = 0; i < 3 && list->UsableWidth() != usable; ++i) {
        m_panel->resize(m_panel->width() + usable - list->UsableWidth(), 400);
        QCoreApplication::processEvents();
    }
    QCOMPARE(list->UsableWidth(), usable);
}

void tst_CPropPanel::selectRow(int row)
{
    m_panel->SuppressEditor(true);
    m_panel->GetListBox()->setCurrentRow(row);
    m_panel->SuppressEditor(false);
}

void tst_CPropPanel::firstSplit_data()
{
    QTest::addColumn<int>("usable");
    QTest::addColumn<int>("split");
    QTest::newRow("two-fifths-raised-to-120") << 250 << 120;
    QTest::newRow("two-fifths") << 400 << 160;
}

void tst_CPropPanel::firstSplit()
{
    QFETCH(int, usable);
    QFETCH(int, split);
    // A fresh list whose first sizing has the wanted width.
    m_panel.reset();
    CPropListBox::ForgetSplit();
    m_panel = std::make_unique<CPropPanel>();
    m_panel->resize(usable + 40, 400);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel.get()));
    CPropListBox::ForgetSplit();
    sizeForUsableWidth(usable);
    QCOMPARE(CPropListBox::Split(), split);
    // Later sizings keep the split.
    m_panel->resize(m_panel->width() + 100, 400);
    QCoreApplication::processEvents();
    QCOMPARE(CPropListBox::Split(), split);
}

void tst_CPropPanel::dragStopsShortOfTheEdge()
{
    Page page;
    m_panel->ShowProperties(&page.doc, false);
    sizeForUsableWidth(250);
    CPropListBox *list = m_panel->GetListBox();
    QWidget *viewport = list->viewport();
    const int split = CPropListBox::Split();
    const int y = list->visualItemRect(list->item(2)).center().y();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(split + 2, y));
    QVERIFY(list->Dragging());
    QMouseEvent move(QEvent::MouseMove, QPointF(viewport->width() + 60, y),
                     viewport->mapToGlobal(QPointF(viewport->width() + 60, y)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(viewport->width() + 60, y));
    QVERIFY(!list->Dragging());
    QCOMPARE(CPropListBox::Split(), 250 - 16);
    QVERIFY(!m_panel->GetActiveEditor()); // a drag opens nothing
}

void tst_CPropPanel::sortingOffKeepsArrayOrder()
{
    Page page;
    m_panel->ShowProperties(&page.doc, false);
    CPropListBox *list = m_panel->GetListBox();
    const QStringList expected = {
        "Title",       "Description",         "Keywords",          "Background Sound",
        "Play Sound",  "Background",          "Background Colour", "Background Style",
        "Link Colour", "Visited Link Colour", "Active Link Colour"};
    QCOMPARE(list->count(), expected.size());
    for (int row = 0; row < list->count(); ++row)
        QCOMPARE(RowText(list, row), expected.at(row));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(!m_panel->GetActiveEditor()); // showing opens no editor
}

void tst_CPropPanel::typingReplacesTextValue()
{
    Page page;
    page.doc.Properties().title = "Old title";
    m_panel->ShowProperties(&page.doc, false);
    CPropListBox *list = m_panel->GetListBox();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_X);
    auto *edit = qobject_cast<QLineEdit *>(m_panel->GetActiveEditor());
    QVERIFY(edit);
    QVERIFY(edit->isVisible());
    QCOMPARE(edit->text(), QStringLiteral("x"));
    QCOMPARE(page.applies(), 0); // nothing is taken before the editor closes
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(!m_panel->GetActiveEditor());
    QCOMPARE(page.doc.Properties().title, std::string("x"));
    QCOMPARE(page.applies(), 1);

    // Escape puts the opening text back before it is taken.
    QTest::keyClick(list, Qt::Key_Y);
    edit = qobject_cast<QLineEdit *>(m_panel->GetActiveEditor());
    QVERIFY(edit);
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(page.doc.Properties().title, std::string("x"));
}

void tst_CPropPanel::tabRules()
{
    Page page;
    page.doc.Properties().keywords = "a, b";
    m_panel->ShowProperties(&page.doc, false);
    selectRow(Keywords);
    CPropListBox *list = m_panel->GetListBox();
    list->setFocus();
    QTest::keyRelease(list, Qt::Key_Tab);
    auto *edit = qobject_cast<QLineEdit *>(m_panel->GetActiveEditor());
    QVERIFY(edit);
    QCOMPARE(edit->text(), QStringLiteral("a, b"));
    QCOMPARE(edit->selectedText(), QStringLiteral("a, b"));
    // Tab in the editor takes the focus back to the list; its release there opens nothing.
    QTest::keyPress(edit, Qt::Key_Tab);
    QVERIFY(!m_panel->GetActiveEditor());
    QVERIFY(list->hasFocus());
    QTest::keyRelease(list, Qt::Key_Tab);
    QVERIFY(!m_panel->GetActiveEditor());
    // The next Tab opens it again; navigation keys move without opening one.
    QTest::keyRelease(list, Qt::Key_Tab);
    QVERIFY(m_panel->GetActiveEditor());
    list->setFocus();
    QVERIFY(!m_panel->GetActiveEditor());
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentRow(), int(Sound));
    QVERIFY(!m_panel->GetActiveEditor());
}

void tst_CPropPanel::doubleClickStepsThroughChoices()
{
    Page page;
    m_panel->ShowProperties(&page.doc, false);
    selectRow(PlaySound);
    CPropListBox *list = m_panel->GetListBox();
    list->setFocus();
    const QPoint at = m_panel->GetListBox()->ValueCell(PlaySound).center();
    QCOMPARE(page.doc.Properties().playSound, 0);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(page.doc.Properties().playSound, 1);
    QCOMPARE(page.applies(), 1);
    QVERIFY(!m_panel->GetActiveEditor());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(page.doc.Properties().playSound, 0);
    QCOMPARE(page.applies(), 2);
    // A double-click on a text row opens its edit box without changing anything.
    selectRow(Title);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                       m_panel->GetListBox()->ValueCell(Title).center());
    QVERIFY(qobject_cast<QLineEdit *>(m_panel->GetActiveEditor()));
    QCOMPARE(page.applies(), 2);
}

void tst_CPropPanel::fileDialogAnswers_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("applies");
    QTest::newRow("default-empties")
        << int(PropFileAnswer::Default) << QString() << QString() << "(None)" << 1;
    QTest::newRow("below-the-page-keeps-case")
        << int(PropFileAnswer::Chosen) << "/site/Sounds/Tune.WAV"
        << "Sounds/Tune.WAV"
        << "tune.wav" << 1;
    QTest::newRow("elsewhere-full-path") << int(PropFileAnswer::Chosen) << "/music/Tune.wav"
                                         << "/music/Tune.wav"
                                         << "tune.wav" << 1;
    QTest::newRow("cancel-changes-nothing")
        << int(PropFileAnswer::Cancelled) << QString() << "old.wav"
        << "old.wav" << 0;
}

void tst_CPropPanel::fileDialogAnswers()
{
    QFETCH(int, kind);
    QFETCH(QString, path);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QFETCH(int, applies);
    Page page;
    page.doc.SetPagePath(QStringLiteral("/site/page.html"));
    page.doc.Properties().backgroundSound = "old.wav";
    QList<PropFileRequest> requests;
    m_panel->SetFileDialog([&](const PropFileRequest &request) {
        requests.append(request);
        return PropFileAnswer{PropFileAnswer::Kind(kind), path};
    });
    m_panel->ShowProperties(&page.doc, false);
    // A click in the value cell of the file row opens the dialog at once.
    CPropListBox *list = m_panel->GetListBox();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->ValueCell(Sound).center());
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().fileName, QStringLiteral("old.wav"));
    QVERIFY(requests.first().filter.startsWith(QStringLiteral("WAV Files (*.wav)|*.wav|")));
    QCOMPARE(QString::fromStdString(page.doc.Properties().backgroundSound), value);
    std::string text;
    page.doc.PropertyItems().GetAt(Sound)->GetValueText(text);
    QCOMPARE(QString::fromStdString(text), shown);
    QCOMPARE(page.applies(), applies);
}

void tst_CPropPanel::paletteAppliesOnlyNewColours()
{
    Page page;
    m_panel->ShowProperties(&page.doc, false);
    CPropListBox *list = m_panel->GetListBox();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->ValueCell(Link).center());
    CPropColourPalette *palette = m_panel->Palette();
    QVERIFY(palette);
    QVERIFY(palette->isVisible());
    // Blue (0, 0, 255), the link colour already set, is the marked entry.
    QToolButton *blue = palette->ColourButton(13);
    QVERIFY(blue->isChecked());
    QTest::mouseClick(blue, Qt::LeftButton);
    QCOMPARE(page.applies(), 0);
    QCOMPARE(page.doc.Properties().linkColour, 0xFF0000);

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->ValueCell(Link).center() + QPoint(0, 1));
    if (!m_panel->Palette()) // a click on the already selected row opens nothing by itself
        m_panel->OpenEditor(false);
    palette = m_panel->Palette();
    QVERIFY(palette);
    QTest::mouseClick(palette->ColourButton(5), Qt::LeftButton); // red
    QCOMPARE(page.doc.Properties().linkColour, 0x0000FF);
    QCOMPARE(page.applies(), 1);

    // "More Colors..." goes through the colour dialog; Automatic is -1.
    m_panel->SetColourDialog([](PropColorRef, PropColorRef &chosen) {
        chosen = 0x123456;
        return true;
    });
    m_panel->OpenEditor(false);
    QTest::mouseClick(m_panel->Palette()->MoreButton(), Qt::LeftButton);
    QCOMPARE(page.doc.Properties().linkColour, 0x123456);
    m_panel->OpenEditor(false);
    QTest::mouseClick(m_panel->Palette()->AutomaticButton(), Qt::LeftButton);
    QCOMPARE(page.doc.Properties().linkColour, -1);
    std::string text;
    page.doc.PropertyItems().GetAt(Link)->GetValueText(text);
    QCOMPARE(text, std::string("Automatic"));
    QCOMPARE(page.applies(), 3);
}

void tst_CPropPanel::contextMenuAndSortReset()
{
    Page first;
    Page second;
    m_panel->ShowProperties(&first.doc, false);
    QMenu *menu = m_panel->ContextMenu();
    QStringList texts;
    QList<bool> enabled;
    QAction *sort = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->isSeparator())
            continue;
        texts << action->text();
        enabled << action->isEnabled();
        if (action->data().toInt() == propstr::CmdSort)
            sort = action;
    }
    QCOMPARE(texts, QStringList({"Drill &Multi", "Save As De&fault", "&Clear Default", "&Delete",
                                 "&Sort"}));
    QCOMPARE(enabled, QList<bool>({false, false, false, false, true}));
    QVERIFY(sort);
    QCOMPARE(sort->statusTip(), QStringLiteral("Sort properties in ascending order"));

    // A right click shows the menu; choosing "&Sort" sorts by name and checks the entry.
    CPropListBox *list = m_panel->GetListBox();
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                            list->viewport()->mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(list, &click);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!sort->isChecked());
    sort->trigger();
    menu->close();
    QVERIFY(CPropListBox::Sorted());
    QCOMPARE(RowText(list, 0), QStringLiteral("Active Link Colour"));
    QCOMPARE(RowText(list, 1), QStringLiteral("Background"));
    QCOMPARE(RowText(list, 10), QStringLiteral("Visited Link Colour"));
    QApplication::sendEvent(list, &click);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(sort->isChecked());
    menu->close();

    // Another page: sorting is off again, and so is the check mark.
    m_panel->ShowProperties(&second.doc, false);
    QVERIFY(!CPropListBox::Sorted());
    QCOMPARE(RowText(list, 0), QStringLiteral("Title"));
    QApplication::sendEvent(list, &click);
    QTRY_VERIFY(menu->isVisible());
    QVERIFY(!sort->isChecked());
    menu->close();
}

void tst_CPropPanel::twoPagesKeepTheirValues()
{
    Page a;
    Page b;
    a.doc.Properties().title = "Page A";
    b.doc.Properties().title = "Page B";
    CPropListBox *list = m_panel->GetListBox();
    m_panel->ShowProperties(&a.doc, false);
    list->setFocus();
    QTest::keyClicks(list, "Edited");
    QTest::keyClick(m_panel->GetActiveEditor(), Qt::Key_Return);
    QCOMPARE(a.doc.Properties().title, std::string("Edited"));

    m_panel->ShowProperties(&b.doc, false);
    std::string text;
    m_panel->Items()->GetAt(Title)->GetValueText(text);
    QCOMPARE(text, std::string("Page B"));
    // A value changed in its document while another page was shown is shown on return.
    a.doc.Properties().keywords = "changed meanwhile";
    m_panel->ShowProperties(&a.doc, false);
    m_panel->Items()->GetAt(Title)->GetValueText(text);
    QCOMPARE(text, std::string("Edited"));
    m_panel->Items()->GetAt(Keywords)->GetValueText(text);
    QCOMPARE(text, std::string("changed meanwhile"));
    QCOMPARE(b.doc.Properties().title, std::string("Page B"));
    QCOMPARE(b.applies(), 0);
    QCOMPARE(a.applies(), 1);
}

void tst_CPropPanel::closingTheShownPageEmptiesThePanel()
{
    auto page = std::make_unique<Page>();
    Page other;
    m_panel->ShowProperties(&page->doc, false);
    m_panel->Forget(&other.doc); // not the page shown: nothing changes
    QCOMPARE(m_panel->GetListBox()->count(), 11);
    m_panel->Forget(&page->doc);
    QCOMPARE(m_panel->GetListBox()->count(), 0);
    QVERIFY(!m_panel->Shown());
    page.reset();
    // With nothing shown no editor opens and nothing is applied.
    QTest::keyClick(m_panel->GetListBox(), Qt::Key_A);
    QVERIFY(!m_panel->GetActiveEditor());
}

void tst_CPropPanel::fontDialogAppliesAndDefaults()
{
    FontOwner owner;
    QVERIFY(m_panel->ShowProperties(&owner, false));
    // Works the font dialog once it is up: Apply with a 20-pixel bold font, then Default.
    int heightAfterApply = 0, weightAfterApply = 0;
    bool stillOpenAfterApply = false, sawButtons = false;
    std::function<void()> work = [&] {
        auto *dialog = qobject_cast<CHyperFontDlg *>(QApplication::activeModalWidget());
            if (!dialog) {
            QTimer::singleShot(10, work);
            return;
        }
        sawButtons = dialog->ApplyButton() && dialog->DefaultButton() &&
                     dialog->DefaultButton()->text() == QStringLiteral("&Default");
        QFont chosen(QStringLiteral("DejaVu Sans"));
        chosen.setPixelSize(20);
        chosen.setBold(true);
        dialog->setCurrentFont(chosen);
        if (dialog->ApplyButton())
            dialog->ApplyButton()->click();
        heightAfterApply = owner.font.lfHeight;
        weightAfterApply = owner.font.lfWeight;
        stillOpenAfterApply = dialog->isVisible();
        if (dialog->DefaultButton())
            dialog->DefaultButton()->click();
        else
            dialog->reject();
    };
    QTimer::singleShot(0, work);
    QCOMPARE(m_panel->CurrentRow(), 0);
    m_panel->OpenEditor(false);
    QVERIFY(sawButtons);
    QVERIFY(stillOpenAfterApply);
    QCOMPARE(heightAfterApply, -20);
    QCOMPARE(weightAfterApply, 700);
    // Default emptied the font and applied it.
    QCOMPARE(owner.font.lfHeight, 0);
    QCOMPARE(owner.font.lfWeight, 0);
    QCOMPARE(owner.font.lfFaceName[0], '\0');
    m_panel->ShowProperties(nullptr, true);
}

QTEST_MAIN(tst_CPropPanel)
#include "tst_CPropPanel.moc"
