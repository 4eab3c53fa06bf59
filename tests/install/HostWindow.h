#pragma once

// A plain X window on the test's display for a program to draw into, as a screensaver
// host makes one: 640 x 400, mapped, destroyed with the object. (Xlib stays in the .cpp:
// its macros clash with GoogleTest.)

#include <QString>

class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool isOpen() const { return display_ != nullptr; }
    QString hexId() const; // "0x..."

private:
    void* display_ = nullptr; // Display*
    unsigned long window_ = 0;
};
