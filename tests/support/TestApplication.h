#pragma once

#include <QCoreApplication>

// The one application object of a test program, made on first use (so that listing the
// tests needs no display). App is QCoreApplication, QGuiApplication or QApplication; an
// application object made earlier is reused when it is of that kind.
template <typename App>
App &testApplication()
{
    static int argc = 1;
    static char name[] = "varlen_test";
    static char *argv[] = {name, nullptr};
    static App *app = [] {
        if (auto *existing = qobject_cast<App *>(QCoreApplication::instance()))
            return existing;
        return new App(argc, argv);
    }();
    return *app;
}
