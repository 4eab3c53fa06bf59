#include "HostWindow.h"

#include <X11/Xlib.h>

HostWindow::HostWindow()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    display_ = display;
    window_ = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 640, 400, 0, 0, 0);
    XMapWindow(display, window_);
    XSync(display, False);
}

HostWindow::~HostWindow()
{
    if (auto* display = static_cast<Display*>(display_)) {
        XDestroyWindow(display, window_);
        XCloseDisplay(display);
    }
}

QString HostWindow::hexId() const { return QStringLiteral("0x%1").arg(window_, 0, 16); }
