#include "gallery/ShowPreview.h"

#include "util/FileUtil.h"

#include "../support/WebTestMain.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

// The preview in a real browser view: the script library of the template runs, so behaviours
// can be tried before the image is inserted.
class tst_ShowPreview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rolloverWorksInThePreview();
    void missingTemplateShowsAnEmptyPage();

private:
    QVariant evaluate(QWebEngineView &view, const QString &script);
    bool showAndWait(QWebEngineView &view, const QString &fragment);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
};

void tst_ShowPreview::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_program = m_dir->path() + QStringLiteral("/program/");
    QVERIFY(util::MakeFolders(fromQt(m_program + "Bin")));
    for (const char *name : {"Preview.htm", "qxlib.js", "qxlib.css"}) {
        QVERIFY(QFile::copy(QStringLiteral(PELION_PROGRAM_DIR "/Bin/") + name,
                            m_program + "Bin/" + name));
    }
    util::SetProgramFolder(fromQt(m_program));
}

void tst_ShowPreview::cleanup()
{
    util::SetProgramFolder("");
    m_dir.reset();
}

QVariant tst_ShowPreview::evaluate(QWebEngineView &view, const QString &script)
{
    QVariant result;
    bool done = false;
    view.page()->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    [&] { QTRY_VERIFY_WITH_TIMEOUT(done, 30000); }();
    return result;
}

bool tst_ShowPreview::showAndWait(QWebEngineView &view, const QString &fragment)
{
    QSignalSpy finished(&view, &QWebEngineView::loadFinished);
    ShowPreview(fragment, &view);
    return finished.wait(60000) && finished.first().first().toBool();
}

void tst_ShowPreview::rolloverWorksInThePreview()
{
    QWebEngineView view;
    view.resize(300, 200);
    view.show();
    const QString source = m_dir->path() + "/art/logo.gif";
    const QString rollover = m_dir->path() + "/art/logo2.gif";
    QVERIFY(showAndWait(view, QStringLiteral("<img src=\"%1\" align=baseline name=\"logo\"  "
                                             "onMouseOver=\"qxMouseOver(logo, '%2')\" "
                                             "onMouseOut=\"qxMouseOut(logo, '%1')\" border=0 "
                                             "hspace=0>")
                                  .arg(source, rollover)));
    QCOMPARE(view.url(), QUrl::fromLocalFile(m_program + "Bin/Temp.htm"));
    const QString hover =
        QStringLiteral("(function(){var i=document.images.logo;"
                       "i.dispatchEvent(new MouseEvent('mouseover',{bubbles:true}));"
                       "var over=i.getAttribute('src');"
                       "i.dispatchEvent(new MouseEvent('mouseout',{bubbles:true}));"
                       "return over+'|'+i.getAttribute('src');})()");
    QCOMPARE(evaluate(view, hover).toString(), rollover + "|" + source);

    // A second preview replaces the first in the same view.
    QVERIFY(showAndWait(view, QStringLiteral("<img name=\"other\" src=\"x.gif\">")));
    QCOMPARE(evaluate(view, "document.images.length + ':' + document.images[0].name").toString(),
             QStringLiteral("1:other"));
}

void tst_ShowPreview::missingTemplateShowsAnEmptyPage()
{
    QVERIFY(QFile::remove(m_program + "Bin/Preview.htm"));
    QWebEngineView view;
    view.resize(300, 200);
    view.show();
    QVERIFY(showAndWait(view, QStringLiteral("<img name=\"lost\" src=\"x.gif\">")));
    QCOMPARE(evaluate(view, "document.body ? document.body.innerHTML : ''").toString(), QString());
    QCOMPARE(QFileInfo(m_program + "Bin/Temp.htm").size(), 0);
}

PELION_WEB_TEST_MAIN(tst_ShowPreview)
#include "tst_ShowPreview.moc"
