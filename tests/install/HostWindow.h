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
    // Waits up to timeoutMs for a window inside this one (a guest draws into a child window
    // of its host) and says whether one came.
    bool waitForChild(int timeoutMs) const;

private:
    void* display_ = nullptr; // Display*
    unsigned long window_ = 0;
};
