#pragma once

#include "TestApplication.h"

#include <QApplication>
#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QWidget>

#include <functional>

// One QApplication for a whole widget test executable (created on first use, so that
// listing the tests needs no display).
inline QApplication* uiTestApp()
{
    static QApplication* app = [] {
        QApplication* a = &testApplication<QApplication>();
        a->setApplicationName(QStringLiteral("VarlenScr"));
        return a;
    }();
    return app;
}

// The widget as drawn, at one image pixel per widget pixel.
inline QImage grabImage(QWidget* widget)
{
    QImage image = widget->grab().toImage();
    image.setDevicePixelRatio(1.0);
    return image.convertToFormat(QImage::Format_RGB32);
}

inline QColor pixelAt(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

// Processes events until the condition holds or a generous deadline passes; the caller
// asserts the condition afterwards (nothing here measures time).
inline bool processUntil(const std::function<bool()>& condition, int deadlineMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < deadlineMs)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    return condition();
}
