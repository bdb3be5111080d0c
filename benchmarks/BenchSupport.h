#pragma once

// What the Qt benchmarks share: waiting for the event loop to bring something about, the median
// of a run's figures, the page of paragraphs the editing benchmarks time, and the widget that
// takes a view's input.
#include <QByteArray>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// Runs the events until done() holds; false when timeoutMs passed first.
inline bool WaitFor(const std::function<bool()> &done, int timeoutMs = 120000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

// The middle figure (the upper one of the two middle figures of an even count); 0 for none.
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// A page of about size bytes: paragraphs with a bold word and a link, then "END MARK".
inline QByteArray MakePage(qsizetype size)
{
    QByteArray page = "<!DOCTYPE html>\n<html><head><title>Bench</title></head><body>\n";
    for (int i = 0; page.size() < size - 40; ++i)
        page += "<p>Paragraph " + QByteArray::number(i) +
                " with some <b>bold</b> text and <a href=\"x.htm\">a link</a>.</p>\n";
    return page + "<p>END MARK</p></body></html>\n";
}

// The widget that receives keyboard and mouse input (for a web view, Chromium's render widget).
inline QWidget *InputWidget(QWidget *w)
{
    while (w->focusProxy())
        w = w->focusProxy();
    return w;
}

} // namespace bench
