#pragma once

#include "PopupMenuEntries.h" // the command ids

#include <array>

struct AquariumSettings;


// What the mouse handlers record for the frame to consume. Coordinates are client
// pixels, y downwards.
struct PointerState {
    int mouseX = 0;
    int mouseY = 0;
    bool pickPending = false; // a press waits for the fish picking pass
    bool feedClick = false;   // a press in Feed mode waits for the food drop
    int interactionMode = kCommandFeedFish;

    void leftButtonDown(int x, int y);
    // In Touch mode a press survives its release until the picking pass takes it; in the
    // feed and zoom modes a release before the next frame drops it.
    void leftButtonUp();
    void mouseMove(int x, int y);
};

// Cursor resource id for a mode and button state; 0 when the mode keeps the arrow.
int cursorIdFor(int interactionMode, bool buttonHeld);

// The help text's 100-frame rule, once per frame: counts the frames it shows, hides it
// in the 101st and restarts the count. Returns whether the text is drawn in this frame.
// F1 only flips `visible`, so a text hidden by F1 resumes with the frames it had left.
bool stepHelpText(bool &visible, int &frames);

// One RGB colour, components 0..1 (values outside are clamped by OpenGL).
struct Rgb {
    float r, g, b;
};
Rgb colourFromColorRef(int colorRef);

// The animated backdrop cycle: four corner colours (two bottom, then top right, top
// left) for a phase.
std::array<Rgb, 4> backdropCycleColours(float phase);

// Advances the backdrop phase by one frame unless the cycle is locked.
float nextBackdropPhase(float phase, bool locked);

// Whether the system's temporary directory exists: without it the program shows
// "Error Find TempPath." and sets up nothing more.
bool temporaryDirectoryFound();
