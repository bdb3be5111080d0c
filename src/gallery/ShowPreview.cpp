#include "gallery/ShowPreview.h"

#include "gallery/PreviewPage.h"
#include "toolkit/QtBridge.h"

#include <QUrl>
#include <QWebEngineView>

void ShowPreview(const QString &fragment, QWebEngineView *browser)
{
    std::string output;
    WritePreviewPage(fromQt(fragment), &output);
    if (browser)
        browser->load(QUrl::fromLocalFile(toQt(output)));
}
