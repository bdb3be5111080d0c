#pragma once

#include <QString>

class QWebEngineView;

// Shows fragment in browser through the preview page (PreviewPage.h): the page is written and
// the browser navigates to it. Nothing is reported: a missing template gives an empty page, an
// output that cannot be written leaves the browser showing the previous one.
void ShowPreview(const QString &fragment, QWebEngineView *browser);
