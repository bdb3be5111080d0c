#include "../support/DialogScript.h"

#include "engine/WebEngineEnvironment.h"
#include "insert/CBrowseEdit.h"
#include "insert/CInsertMediaDlg.h"
#include "insert/CMediaObject.h"
#include "insert/ObjectNames.h"
#include "toolkit/FilePicker.h"
#include "toolkit/QtBridge.h"
#include "util/FileUtil.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

// The Insert media dialog worked through its controls, its preview on the real web view.
class tst_CInsertMediaDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void repeatForeverWritesZeroAndPlayKeepsIt();
    void nameFollowsSourceOnlyWhileEmpty();
    void okMakesTheNameValid_data();
    void okMakesTheNameValid();
    void countText_data();
    void countText();
    void videoFlagPicksTheFolder_data();
    void videoFlagPicksTheFolder();
    void previewPlaysTheObject();
};

namespace {

QString Text(CDialog &d, int id)
{
    return DialogScript::control<QLineEdit>(d, id)->text();
}

// The source box of the dialog.
QLineEdit *Source(CDialog &d)
{
    return DialogScript::control<CBrowseEdit>(d, 1002)->Edit();
}

} // namespace

void tst_CInsertMediaDlg::initTestCase()
{
    util::SetProgramFolder(PELION_PROGRAM_DIR "/");
    ResetLastFolders();
}

void tst_CInsertMediaDlg::repeatForeverWritesZeroAndPlayKeepsIt()
{
    CInsertMediaDlg dialog(false);
    DialogScript script;
    QStringList seen;
    script.then([&](CDialog &d) {
        auto *count = DialogScript::control<QLineEdit>(d, 1057);
        seen << count->text() << (count->isEnabled() ? "on" : "off");
        DialogScript::click(d, 1056);
        seen << count->text() << (count->isEnabled() ? "on" : "off");
        seen << QString::number(dialog.MediaObject().m_nPlayCount);
        DialogScript::click(d, 1055);
        seen << count->text() << (count->isEnabled() ? "on" : "off");
        Source(d)->setText("/media/bell.wav");
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(script.titles, QStringList{"Insert media"});
    QCOMPARE(seen, (QStringList{"1", "on", "0", "off", "0", "0", "on"}));
    QCOMPARE(dialog.m_strCount, QStringLiteral("0"));
    QCOMPARE(dialog.m_nRepeat, 0);
    const std::string html = dialog.MediaObject().GetHtml();
    QVERIFY(html.find("<PARAM NAME=\"PlayCount\" VALUE=\"0\">") != std::string::npos);
    QVERIFY(html.find("id=\"bell\"") != std::string::npos);
}

void tst_CInsertMediaDlg::nameFollowsSourceOnlyWhileEmpty()
{
    CInsertMediaDlg dialog(true);
    DialogScript script;
    QStringList names;
    script.then([&](CDialog &d) {
        QLineEdit *source = Source(d);
        source->setFocus();
        QTest::keyClicks(source, "/v/My Clip.avi");
        names << Text(d, 1003);
        source->setText("/v/other.avi");
        names << Text(d, 1003);
        DialogScript::setText(d, 1003, "");
        source->setText("/v/third.avi");
        names << Text(d, 1003);
        DialogScript::setText(d, 1003, "mine");
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    // The name is taken at the first change that gives a file title ("/v" while typing), and
    // from then on no longer follows.
    QCOMPARE(names, (QStringList{"v", "v", "third"}));
    QCOMPARE(dialog.m_strName, QStringLiteral("mine"));
}

void tst_CInsertMediaDlg::okMakesTheNameValid_data()
{
    QTest::addColumn<QString>("presetSource");
    QTest::addColumn<QString>("typedName"); // replaces the name when not null
    QTest::addColumn<QString>("name");

    QTest::newRow("gallery file with a blank") << "/clips/My Clip.avi" << QString() << "My_Clip";
    QTest::newRow("digit first, blank inside") << "/clips/a.avi"
                                               << "2 clips"
                                               << "a_clips";
}

void tst_CInsertMediaDlg::okMakesTheNameValid()
{
    QFETCH(QString, presetSource);
    QFETCH(QString, typedName);
    QFETCH(QString, name);
    CInsertMediaDlg dialog(true);
    dialog.m_strSource = presetSource;
    dialog.m_strName = toQt(UniqueNameFromPath(fromQt(presetSource), {}));
    DialogScript script;
    QString shown;
    script.then([&](CDialog &d) {
        shown = Text(d, 1003);
        if (!typedName.isNull())
            DialogScript::setText(d, 1003, typedName);
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(shown, toQt(UniqueNameFromPath(fromQt(presetSource), {})));
    QCOMPARE(dialog.m_strName, name);
}

void tst_CInsertMediaDlg::countText_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("playCount");

    QTest::newRow("three") << " 3" << 3;
    QTest::newRow("not a number repeats forever") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("leading number") << "12abc" << 12;
    QTest::newRow("too large saturates") << "99999" << 32767;
}

void tst_CInsertMediaDlg::countText()
{
    QFETCH(QString, count);
    QFETCH(int, playCount);
    CInsertMediaDlg dialog(false);
    DialogScript script;
    script.then([&](CDialog &d) {
        DialogScript::setText(d, 1057, count);
        Source(d)->setText("/s/ding.wav");
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QVERIFY(script.messages.isEmpty());
    QCOMPARE(int(dialog.MediaObject().m_nPlayCount), playCount);
}

void tst_CInsertMediaDlg::videoFlagPicksTheFolder_data()
{
    QTest::addColumn<bool>("video");
    QTest::addColumn<int>("kind");
    QTest::newRow("video") << true << int(filekind::Videos);
    QTest::newRow("sound") << false << int(filekind::Sounds);
}

void tst_CInsertMediaDlg::videoFlagPicksTheFolder()
{
    QFETCH(bool, video);
    QFETCH(int, kind);
    ResetLastFolders();
    const int other = kind == filekind::Videos ? filekind::Sounds : filekind::Videos;
    const QString otherBefore = GetLastFolder(other);
    CInsertMediaDlg dialog(video);
    DialogScript script;
    QString start;
    script.then([&](CDialog &d) {
        start = DialogScript::control<CBrowseEdit>(d, 1002)->StartFolder();
        Source(d)->setText("/somewhere/media/clip.avi");
        return DialogScript::ok(d);
    });
    const QString kindDefault = GetLastFolder(kind);
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QCOMPARE(start, kindDefault);
    QCOMPARE(GetLastFolder(kind), QStringLiteral("/somewhere/media/"));
    QCOMPARE(GetLastFolder(other), otherBefore);
}

void tst_CInsertMediaDlg::previewPlaysTheObject()
{
    const QString sound = QStringLiteral(PELION_PROGRAM_DIR "/Bin/Template.wav");
    QVERIFY(QFile::exists(sound));
    CInsertMediaDlg dialog(false);
    dialog.m_strSource = sound;
    dialog.m_strName = QStringLiteral("tone");
    DialogScript script;
    QString player;
    QString tempText;
    bool previewShown = false;
    script.then([&](CDialog &d) {
        QWebEngineView *view = dialog.Preview();
        // A preset name shows the preview at once; a check box refreshes it.
        previewShown = QTest::qWaitFor([&] { return view->url().isLocalFile(); }, 20000);
        DialogScript::click(d, 1051); // Auto start
        QFile temp(view->url().toLocalFile());
        if (temp.open(QIODevice::ReadOnly))
            tempText = QString::fromUtf8(temp.readAll());
        // The script library puts a playable element in place of the player object.
        const auto probe = [&] {
            bool done = false;
            view->page()->runJavaScript(
                QStringLiteral("(function(){var m=document.querySelector('[data-qx-player]:not([data-qx-player=MPlyr])');"
                               "return m ? m.tagName + ' ' + m.getAttribute('data-qx-player') + "
                               "' ' + m.autoplay + ' ' + !!m.controls : '';})()"),
                [&](const QVariant &result) {
                    player = result.toString();
                    done = true;
                });
            return QTest::qWaitFor([&] { return done; }, 10000) &&
                   player.startsWith("AUDIO tone");
        };
        // The answer is checked below, with the text of what did come.
        (void)QTest::qWaitFor(probe, 30000);
        return DialogScript::ok(d);
    });
    QCOMPARE(dialog.DoModal(), int(QDialog::Accepted));
    QVERIFY(previewShown);
    QVERIFY2(tempText.contains("<PARAM NAME=\"AutoStart\" VALUE=\"true\">"), qPrintable(tempText));
    QVERIFY2(tempText.contains(sound), qPrintable(tempText));
    QVERIFY2(player.startsWith(QStringLiteral("AUDIO tone")), qPrintable(player));
    // A preset source keeps the dialog's defaults (controls shown, rewinding, played once); the
    // script library starts the player with play() rather than the autoplay attribute.
    QVERIFY2(tempText.contains("<PARAM NAME=\"ShowControls\" VALUE=\"true\">"), qPrintable(tempText));
    QVERIFY2(tempText.contains("<PARAM NAME=\"AutoRewind\" VALUE=\"true\">"), qPrintable(tempText));
    QVERIFY2(tempText.contains("<PARAM NAME=\"PlayCount\" VALUE=\"1\">"), qPrintable(tempText));
    QCOMPARE(player, QStringLiteral("AUDIO tone false true"));
}

int main(int argc, char **argv)
{
    PrepareWebEngineEnvironment();
    QApplication app(argc, argv);
    tst_CInsertMediaDlg test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_CInsertMediaDlg.moc"
