#pragma once

#include <memory>

class CMainFrame;

// The application: refuses to run twice, then creates and shows the main frame.
class AquariumApp {
public:
    AquariumApp();
    ~AquariumApp();

    // Start-up in order. Returns true when the main window is up, false to end quietly.
    // A second copy of the program ends the process here with exit code 0.
    bool initInstance();

    CMainFrame *mainFrame() const { return frame.get(); }

private:
    std::unique_ptr<CMainFrame> frame;
};
