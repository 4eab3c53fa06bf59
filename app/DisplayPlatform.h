#pragma once

#include <string>

// Which of Qt's window-system platforms the standalone program can use, decided before
// Qt starts: Qt itself aborts when the one it picks cannot be used.

// What was found about the session's displays.
struct DisplayProbe {
    bool platformForced = false;  // $QT_QPA_PLATFORM is set: the user's choice stands
    std::string waylandDisplay;   // $WAYLAND_DISPLAY (empty: unset)
    bool waylandReachable = false; // its socket accepts a connection
    bool waylandPlugin = false;    // Qt's Wayland platform is installed
    std::string xDisplay;          // $DISPLAY (empty: unset)
    bool xReachable = false;       // an X connection to it opens
};

struct DisplayChoice {
    bool usable = true;
    std::string platform; // the platform to ask Qt for; empty: Qt's own choice
    std::string error;    // not usable: one line saying why
};

// Wayland where it can be used, else X11 (Xwayland included); when both can, Qt chooses
// as it does everywhere else. Neither: not usable, with a line naming the display.
DisplayChoice chooseDisplayPlatform(const DisplayProbe &probe);

// Looks at this process's session.
DisplayProbe probeDisplays();

// Probes and applies the choice (sets $QT_QPA_PLATFORM when one platform must be used).
// Returns false with `why` set when no display can be used.
bool useDisplayPlatform(std::string *why);
