#include "insert/CInsertImageDlg.h"

#include "insert/CBrowseEdit.h"
#include "insert/CSoundRecorder.h"
#include "toolkit/FilePicker.h"
#include "toolkit/MessageBox.h"
#include "util/FileUtil.h"

#include "../support/WebTestMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>

// The Insert image dialog driven through its controls, with the real preview browser.
class tst_CInsertImageDlg : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void naming_data();
    void naming();
    void emptyNameTakesTheSourceNameAtTheNextPreview();
    void openingFillsTheCombos();
    void clickActionEnabling_data();
    void clickActionEnabling();
    void sourceTypingRefreshesOnTheThirdOfEveryFourChanges();
    void randomSet_data();
    void randomSet();
    void previewLeavesOutLinkAltAndPopups();
    void toolTipsAndStartFolders();
    void okRemembersTheFolders();
    void recordButtonPreparesTheFileAndOpensTheRecorder();

private:
    // Runs the dialog: answer works its controls once it is prepared, as a modal run would.
    int run(CInsertImageDlg &dialog, const std::function<void(CInsertImageDlg &)> &answer);
    template<class T>
    static T *control(QWidget &dialog, int id)
    {
        return dialog.findChild<T *>(QString::number(id));
    }
    static QLineEdit *edit(QWidget &dialog, int id)
    {
        return dialog.findChild<CBrowseEdit *>(QString::number(id))->Edit();
    }
    QVariant evaluate(QWebEngineView *view, const QString &script);
    void touch(const QString &path);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    QList<MessageRequest> m_messages;
};

void tst_CInsertImageDlg::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_program = m_dir->path() + QStringLiteral("/program/");
    QVERIFY(util::MakeFolders(fromQt(m_program + "Bin")));
    for (const char *name : {"Preview.htm", "qxlib.js", "qxlib.css", "Template.wav"}) {
        QVERIFY(QFile::copy(QStringLiteral(PELION_PROGRAM_DIR "/Bin/") + name,
                            m_program + "Bin/" + name));
    }
    util::SetProgramFolder(fromQt(m_program));
    ResetLastFolders();
    CInsertImageDlg::ResetChangeCounter();
    m_messages.clear();
    SetMessageBoxHook([this](const MessageRequest &request) {
        m_messages.append(request);
        return QMessageBox::Ok;
    });
}

void tst_CInsertImageDlg::cleanup()
{
    CDialog::SetModalHook({});
    SetMessageBoxHook({});
    util::SetProgramFolder("");
    m_dir.reset();
}

int tst_CInsertImageDlg::run(CInsertImageDlg &dialog,
                             const std::function<void(CInsertImageDlg &)> &answer)
{
    CDialog::SetModalHook([&](CDialog &d) {
        d.show();
        answer(static_cast<CInsertImageDlg &>(d));
        return d.result();
    });
    const int result = dialog.DoModal();
    CDialog::SetModalHook({});
    return result;
}

QVariant tst_CInsertImageDlg::evaluate(QWebEngineView *view, const QString &script)
{
    QVariant result;
    bool done = false;
    view->page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 30000); }();
    return result;
}

void tst_CInsertImageDlg::touch(const QString &path)
{
    QVERIFY(util::MakeFolders(util::PathFolder(fromQt(path))));
    QVERIFY(util::WriteFileAtomic(fromQt(path), "picture"));
}

void tst_CInsertImageDlg::naming_data()
{
    QTest::addColumn<QStringList>("pageNames");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected"); // a pattern for the random name
    QTest::newRow("blanks and punctuation") << QStringList() << " my pic! "
                                            << "^my_pic_$";
    QTest::newRow("leading digit replaced") << QStringList() << "2nd"
                                            << "^and$";
    QTest::newRow("taken name") << QStringList{"logo"} << "logo"
                                << "^logo1$";
    QTest::newRow("taken twice") << QStringList{"logo", "logo1"} << "logo"
                                 << "^logo2$";
    QTest::newRow("empty") << QStringList{"R1"} << ""
                           << "^R\\d{1,5}$";
}

void tst_CInsertImageDlg::naming()
{
    QFETCH(QStringList, pageNames);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    CInsertImageDlg dialog(pageNames, QString(), QString());
    const int result = run(dialog, [&](CInsertImageDlg &d) {
        QTest::keyClicks(control<QLineEdit>(d, 1003), typed);
        control<QPushButton>(d, 1)->click();
    });
    QCOMPARE(result, int(QDialog::Accepted));
    QVERIFY2(QRegularExpression(expected).match(dialog.m_strName).hasMatch(),
             qPrintable(dialog.m_strName));
    QCOMPARE(control<QLineEdit>(dialog, 1003)->text(), dialog.m_strName); // controls refilled
    QVERIFY(m_messages.isEmpty());
}

void tst_CInsertImageDlg::emptyNameTakesTheSourceNameAtTheNextPreview()
{
    CInsertImageDlg dialog({"sun"}, QString(), QString());
    run(dialog, [&](CInsertImageDlg &d) {
        edit(d, 1002)->setText(m_dir->path() + "/art/sun.gif");
        control<QRadioButton>(d, 1042)->click(); // a click action refreshes the preview
        QCOMPARE(control<QLineEdit>(d, 1003)->text(), QStringLiteral("sun1"));
        d.reject();
    });
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

void tst_CInsertImageDlg::openingFillsTheCombos()
{
    // Two images without names give two empty entries; the lists are sorted.
    const QStringList names = {"logo", "", "Ball", "", "arrow"};
    CInsertImageDlg dialog(names, QString(), QString());
    run(dialog, [&](CInsertImageDlg &d) {
        for (int id : {1049, 1050}) {
            QComboBox *combo = control<QComboBox>(d, id);
            QStringList items;
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            QCOMPARE(items, QStringList({"", "", "arrow", "Ball", "logo"}));
            QVERIFY(combo->isEditable());
        }
        QCOMPARE(control<QComboBox>(d, 1049)->currentText(), QStringLiteral("logo"));
        QCOMPARE(control<QComboBox>(d, 1050)->currentText(), QString());
        QCOMPARE(d.focusWidget(), static_cast<QWidget *>(control<QLineEdit>(d, 1003)));
        QCOMPARE(d.PreviewCount(), 0); // no preset source, no preview
        QCOMPARE(d.windowTitle(), QStringLiteral("Insert image"));
        d.reject();
    });

    // A preset source is previewed at once, with its click action checked.
    CInsertImageDlg preset(names, QString(), QString());
    ImagePreset values;
    values.source = fromQt(m_dir->path() + "/Buttons/NextPage.gif");
    values.name = "NextPage";
    values.clickAction = ClickGoNext;
    preset.Preset(values);
    run(preset, [&](CInsertImageDlg &d) {
        QCOMPARE(d.PreviewCount(), 1);
        QVERIFY(control<QRadioButton>(d, 1047)->isChecked());
        QCOMPARE(control<QLineEdit>(d, 1003)->text(), QStringLiteral("NextPage"));
        QCOMPARE(QString::fromStdString(d.PreviewObject().GetHtml()).count("qxGoNext()"), qsizetype(1));
        d.reject();
    });
}

void tst_CInsertImageDlg::clickActionEnabling_data()
{
    QTest::addColumn<int>("radio");
    QTest::addColumn<int>("action");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<bool>("popup");
    QTest::newRow("Do nothing") << 1041 << 0 << false << false;
    QTest::newRow("Move the image") << 1042 << 1 << false << false;
    QTest::newRow("Go to home page") << 1045 << 2 << false << false;
    QTest::newRow("Play a sound file") << 1043 << 3 << true << false;
    QTest::newRow("Show random image") << 1061 << 4 << false << false;
    QTest::newRow("Go to previous page") << 1046 << 5 << false << false;
    QTest::newRow("Popup another image") << 1044 << 6 << false << true;
    QTest::newRow("Go to next page") << 1047 << 7 << false << false;
}

void tst_CInsertImageDlg::clickActionEnabling()
{
    QFETCH(int, radio);
    QFETCH(int, action);
    QFETCH(bool, sound);
    QFETCH(bool, popup);
    CInsertImageDlg dialog({"other"}, QString(), QString());
    run(dialog, [&](CInsertImageDlg &d) {
        // Start from the opposite state, so that every row proves a change.
        control<QRadioButton>(d, action == 3 ? 1044 : 1043)->click();
        const int before = d.PreviewCount();
        control<QRadioButton>(d, radio)->click();
        QCOMPARE(d.m_nClickAction, action);
        QCOMPARE(d.findChild<CBrowseEdit *>("1040")->isEnabled(), sound);
        QCOMPARE(control<QPushButton>(d, 1079)->isEnabled(), sound);
        QCOMPARE(control<QComboBox>(d, 1049)->isEnabled(), popup);
        QCOMPARE(d.PreviewCount(), before + 1);
        QCOMPARE(int(d.PreviewObject().m_nClickAction), action);
        d.reject();
    });
}

void tst_CInsertImageDlg::sourceTypingRefreshesOnTheThirdOfEveryFourChanges()
{
    CInsertImageDlg dialog({}, QString(), QString());
    run(dialog, [&](CInsertImageDlg &d) {
        QLineEdit *source = edit(d, 1002);
        QList<int> previews;
        for (QChar c : QStringLiteral("abcdefgh")) {
            QTest::keyClick(source, c.toLatin1());
            previews << d.PreviewCount();
        }
        QCOMPARE(previews, QList<int>({0, 0, 1, 1, 1, 1, 2, 2}));
        QCOMPARE(CInsertImageDlg::ChangeCounter(), 0);
        // Rollover changes count on the same counter; Name changes do not count.
        QTest::keyClicks(control<QLineEdit>(d, 1003), "nm");
        QTest::keyClick(edit(d, 1039), 'r');
        QTest::keyClick(edit(d, 1039), 'r');
        QCOMPARE(CInsertImageDlg::ChangeCounter(), 2);
        // Once typing pauses, the preview catches up with what was typed last.
        QTRY_COMPARE_WITH_TIMEOUT(d.PreviewCount(), 3, 5000);
        QCOMPARE(QString::fromStdString(d.PreviewObject().m_strRollover), QStringLiteral("rr"));
        d.reject();
    });
    // The counter lives for the run: a new dialog goes on from where the last one stopped.
    CInsertImageDlg second({}, QString(), QString());
    run(second, [&](CInsertImageDlg &d) {
        QTest::keyClick(edit(d, 1002), 'x');
        QCOMPARE(d.PreviewCount(), 1);
        d.reject();
    });
}

void tst_CInsertImageDlg::randomSet_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<int>("count");
    // The folder holds a dot: the set is split at the dot of the file name.
    QTest::newRow("set in a dotted folder") << "my.pics/Set0002.gif" << 3;
    QTest::newRow("no four digits") << "my.pics/Set.gif" << 0;
    QTest::newRow("missing first member") << "other/Coin0003.gif" << 0;
}

void tst_CInsertImageDlg::randomSet()
{
    QFETCH(QString, source);
    QFETCH(int, count);
    for (const char *name : {"my.pics/Set0001.gif", "my.pics/Set0002.gif", "my.pics/Set0003.gif",
                             "my.pics/Set0005.gif", "my.pics/Set.gif", "other/Coin0003.gif"})
        touch(m_dir->path() + "/" + name);
    CInsertImageDlg dialog({}, QString(), QString());
    run(dialog, [&](CInsertImageDlg &d) {
        edit(d, 1002)->setText(m_dir->path() + "/" + source);
        control<QRadioButton>(d, 1061)->click();
        d.accept();
    });
    QCOMPARE(dialog.m_nRandomSetSize, count);
    QCOMPARE(int(dialog.PreviewObject().m_nRandomSetSize), count);
    QCOMPARE(dialog.Values().randomSetSize, count);
    if (count == 0) {
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(m_messages.first().text,
                 QStringLiteral("Could not find the set of images. Images must follow the pattern "
                                "ImageName0001.xxx, ImageName0002.xxx, etc., where xxx is the file "
                                "extension (gif, jpg...)."));
        QCOMPARE(m_messages.first().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    } else {
        QVERIFY(m_messages.isEmpty());
    }
}

void tst_CInsertImageDlg::previewLeavesOutLinkAltAndPopups()
{
    const QString source = m_dir->path() + "/art/logo.gif";
    touch(source);
    CInsertImageDlg dialog({"tip", "target"}, QString(), QString());
    run(dialog, [&](CInsertImageDlg &d) {
        edit(d, 1002)->setText(source);
        control<QLineEdit>(d, 1003)->setText("logo");
        control<QLineEdit>(d, 1080)->setText("Alt text");
        edit(d, 1051)->setText("http://example.org/");
        control<QComboBox>(d, 1050)->setEditText("tip");
        control<QCheckBox>(d, 1048)->setChecked(true);
        QSignalSpy loaded(d.Browser(), &QWebEngineView::loadFinished);
        control<QRadioButton>(d, 1044)->click(); // popup "target" on click
        const CImageObject &preview = d.PreviewObject();
        QVERIFY(preview.m_strAlt.empty());
        QVERIFY(preview.m_strLink.empty());
        QVERIFY(preview.m_strHoverPopup.empty());
        QVERIFY(preview.m_strClickPopup.empty());
        QVERIFY(!preview.m_bInvisible);
        QVERIFY(loaded.wait(60000));
        QCOMPARE(evaluate(d.Browser(), "var i=document.images.logo; [document.links.length, i.alt, "
                                       "i.style.visibility, i.getAttribute('src')].join('|')")
                     .toString(),
                 QStringLiteral("0|||") + source);
        d.accept();
    });
    // The dialog's own values keep everything for the insertion.
    const ImageDialogValues values = dialog.Values();
    QCOMPARE(values.alt, std::string("Alt text"));
    QCOMPARE(values.link, std::string("http://example.org/"));
    QCOMPARE(values.hoverPopup, std::string("tip"));
    QCOMPARE(values.clickPopup, std::string("tip")); // 1049 selected the first page image
    QVERIFY(values.invisible);
    QCOMPARE(values.clickAction, int(ClickPopup));
}

void tst_CInsertImageDlg::toolTipsAndStartFolders()
{
    const QString resources = m_dir->path() + "/Site/media";
    CInsertImageDlg dialog({}, QString(), resources);
    run(dialog, [&](CInsertImageDlg &d) {
        const QList<int> withTips = {1003, 1002, 1039, 1050, 1041, 1042, 1045, 1043, 1061,
                                     1046, 1040, 1044, 1047, 1049, 1048, 1079, 1080};
        for (int id : withTips)
            QVERIFY2(!d.findChild<QWidget *>(QString::number(id))->toolTip().isEmpty(),
                     qPrintable(QString::number(id)));
        QVERIFY(d.findChild<QWidget *>("1051")->toolTip().isEmpty());
        QVERIFY(d.findChild<QWidget *>("1002")->toolTip().contains(
            "<b>Full path to source file</b><br>Type in the full path to the source file"));
        QVERIFY(d.findChild<QWidget *>("1046")->toolTip().contains(
            "previous page.<br>Pages have to be named"));
        QVERIFY(d.styleSheet().contains("rgb(227, 249, 249)"));
        for (int id : {1039, 1002, 1040, 1051})
            QCOMPARE(d.findChild<CBrowseEdit *>(QString::number(id))->StartFolder(), resources);
        d.reject();
    });
}

void tst_CInsertImageDlg::okRemembersTheFolders()
{
    CInsertImageDlg dialog({}, QString(), QString());
    run(dialog, [&](CInsertImageDlg &d) {
        edit(d, 1002)->setText("/pics/holiday/sea.jpg");
        control<QRadioButton>(d, 1043)->click();
        edit(d, 1040)->setText("/noises/wave.wav");
        d.accept();
    });
    QCOMPARE(GetLastFolder(filekind::Images), QStringLiteral("/pics/holiday/"));
    QCOMPARE(GetLastFolder(filekind::Sounds), QStringLiteral("/noises/"));
    QCOMPARE(dialog.Values().sound, std::string("/noises/wave.wav"));
}

void tst_CInsertImageDlg::recordButtonPreparesTheFileAndOpensTheRecorder()
{
    const QString site = m_dir->path() + "/Plain";
    QVERIFY(util::MakeFolders(fromQt(site)));
    QWidget owner;
    CInsertImageDlg dialog({}, site + "/index.html", site, &owner);
    QPointer<CSoundRecorder> recorder;
    run(dialog, [&](CInsertImageDlg &d) {
        control<QRadioButton>(d, 1043)->click();
        control<QPushButton>(d, 1079)->click(); // empty Sound box: nothing happens
        QVERIFY(d.findChildren<CSoundRecorder *>().isEmpty());
        edit(d, 1040)->setText("greeting");
        control<QPushButton>(d, 1079)->click();
        QCOMPARE(edit(d, 1040)->text(), site + "/greeting.wav");
        recorder = d.findChild<CSoundRecorder *>();
        QVERIFY(recorder);
        QVERIFY(recorder->isVisible());
        QCOMPARE(recorder->Path(), site + "/greeting.wav");
        d.accept();
    });
    std::string copy, original;
    QVERIFY(util::ReadFile(fromQt(site + "/greeting.wav"), copy));
    QVERIFY(util::ReadFile(fromQt(m_program + "Bin/Template.wav"), original));
    QVERIFY(copy == original);
    // The recorder stays open after the dialog, with the dialog's own window.
    QVERIFY(recorder);
    QCOMPARE(recorder->parentWidget(), &owner);
    QVERIFY(recorder->isVisible());
    recorder->close();
}

PELION_WEB_TEST_MAIN(tst_CInsertImageDlg)
#include "tst_CInsertImageDlg.moc"
