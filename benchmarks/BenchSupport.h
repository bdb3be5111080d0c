#pragma once

// What the Qt benchmarks share: waiting for the event loop to bring something about, and the
// median of a run's figures.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace bench {

// Runs the events until done() holds; false when timeoutMs passed first.
inline bool WaitFor(const std::function<bool()> &done, int timeoutMs = 60000)
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

} // namespace bench
