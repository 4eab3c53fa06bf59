#pragma once

#include <QElapsedTimer>
#include <QThread>

#include <functional>

// Polls `done` every 20 ms for up to `ms` milliseconds; true as soon as it holds.
inline bool waitFor(const std::function<bool()> &done, int ms)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}
