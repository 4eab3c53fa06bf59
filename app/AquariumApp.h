#pragma once

#include "CommandLine.h"

#include <memory>

class AquariumView;
class CMainFrame;
class HostWindowWatcher;
class QApplication;

// The application. Standalone (full screen or in a window) it refuses to run twice,
// then creates and shows the main frame; it makes the Qt application only once the
// single-instance guards have passed, so a second copy ends before it ever talks to the
// display. As a screensaver it is a guest in a host's X window: no lock, no top-level
// window, no input, the settings file only read, several copies at once.
class AquariumApp {
public:
    AquariumApp(int &argc, char **argv, const LaunchOptions &options = {});
    ~AquariumApp();

    // Start-up in order. Returns true when the aquarium is up, false to end: quietly
    // (exit code 0), or after a message when failed() says so (exit code 1). A second
    // standalone copy of the program ends the process here with exit code 0.
    bool initInstance();
    bool failed() const { return startFailed; }

    // The message loop; returns the exit code.
    int exec();

    CMainFrame *mainFrame() const { return frame.get(); }
    // The view, in every mode.
    AquariumView *view() const;

private:
    bool startStandalone();
    bool startGuest();
    bool displayReachable(); // false after a line on stderr

    int &argc;
    char **argv;
    LaunchOptions options;
    bool startFailed = false;
    int qtArgc = 1;        // Qt sees the program name only: the options are ours
    char *qtArgv[2] = {};
    std::unique_ptr<QApplication> qapp;
    std::unique_ptr<CMainFrame> frame;
    // Screensaver mode.
    std::unique_ptr<HostWindowWatcher> watcher;
    std::unique_ptr<AquariumView> guestView; // never shown: it draws through GLX
};
