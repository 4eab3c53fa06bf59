#pragma once

#include "TestApplication.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

#include <functional>

// Runs the event loop until `done` holds (checked every 10 ms) or `timeoutMs` has
// passed; returns `done()`. The limit only guards against a hang: nothing asserts how
// long it took.
inline bool runEventsUntil(const std::function<bool()> &done, int timeoutMs = 20000)
{
    if (done())
        return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(10);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// Runs the event loop for a while (to let sound play while it is recorded).
inline void runEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}
