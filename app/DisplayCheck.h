#pragma once

#include "CommandLine.h"

#include <string>

// Whether the window system a mode needs can be reached, asked before Qt is started:
// Qt aborts the process when its platform cannot be opened. Returns "" when the mode
// can run, else one line for stderr.
//
// Screensaver mode needs an X display, whatever the session: "screensaver mode needs
// X11" on a Wayland session without one, else "cannot open display ...". The standalone
// program runs on whichever of X11 and Wayland is reachable among the platforms
// $QT_QPA_PLATFORM names (both when it is unset); a platform that needs no display
// (offscreen, vnc, ...) is left to Qt.
std::string displayProblem(LaunchOptions::Mode mode);

// The D-Bus session bus a guest may use. Without one, Qt would autolaunch a bus daemon
// of its own that outlives the guest; this points the address at nothing instead.
void keepGuestOffAutolaunchedBus();
