#pragma once

#include <string>

// Which window system the program can use, decided before Qt starts: Qt itself aborts
// the process when the platform it picks cannot be opened.

// What was found about the session's displays.
struct DisplayProbe {
    std::string forcedPlatforms;   // $QT_QPA_PLATFORM ("": unset, Qt or we choose)
    std::string waylandDisplay;    // $WAYLAND_DISPLAY (empty: unset)
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

// The standalone program: Wayland where it can be used, else X11 (Xwayland included);
// when both can, Qt chooses as it does everywhere else. A platform the user named in
// $QT_QPA_PLATFORM stands, but one that cannot be opened is said rather than aborted on;
// a platform of another kind (offscreen, vnc, ...) is left to Qt. Neither: not usable,
// with a line naming the display.
DisplayChoice chooseDisplayPlatform(const DisplayProbe &probe);

// Looks at this process's session.
DisplayProbe probeDisplays();

// Probes and applies the choice (sets $QT_QPA_PLATFORM when one platform must be used).
// Returns false with `why` set when no display can be used.
bool useDisplayPlatform(std::string *why);

// Screensaver mode needs an X display, whatever the session: "" when $DISPLAY answers,
// else one line ("screensaver mode needs X11 ..." on a Wayland session without one,
// "cannot open display ..." otherwise).
std::string screensaverDisplayProblem();

// The D-Bus session bus a guest may use. Without one, Qt would autolaunch a bus daemon
// of its own that outlives the guest; this points the address at nothing instead.
void keepGuestOffAutolaunchedBus();
