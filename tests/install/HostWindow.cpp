#include "HostWindow.h"

#include <X11/Xlib.h>

#include <chrono>
#include <thread>

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

bool HostWindow::waitForChild(int timeoutMs) const
{
    auto* display = static_cast<Display*>(display_);
    if (!display)
        return false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, window_, &root, &parent, &children, &count) && children)
            XFree(children);
        if (count > 0)
            return true;
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
