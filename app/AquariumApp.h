#pragma once

#include <memory>

class CMainFrame;
class QApplication;

// The application: refuses to run twice, then creates and shows the main frame. It owns
// the Qt application, which it makes only once the single-instance guards have passed,
// so a second copy ends before it ever talks to the display.
class AquariumApp {
public:
    AquariumApp(int &argc, char **argv);
    ~AquariumApp();

    // Start-up in order. Returns true when the main window is up, false to end quietly.
    // A second copy of the program ends the process here with exit code 0.
    bool initInstance();

    // The message loop; returns the exit code.
    int exec();

    CMainFrame *mainFrame() const { return frame.get(); }

private:
    int &argc;
    char **argv;
    std::unique_ptr<QApplication> qapp;
    std::unique_ptr<CMainFrame> frame;
};
