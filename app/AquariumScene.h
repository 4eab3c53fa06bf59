#pragma once

#include "BackgroundSurface.h"
#include "BubbleEmitter.h"
#include "FeedPicking.h"
#include "Fish.h"
#include "FishPopulation.h"
#include "FoodPellet.h"
#include "ViewRules.h"

struct AquariumSettings;

// The scene record: everything a step changes, in plain data. The view holds one and
// draws it; stepScene advances it without a screen, so tests step a tank directly.
struct AquariumScene {
    PickRail pickRailsX[kRailsX];
    PickRail pickRailsY[kRailsY];
    BubbleEmitter bubbleEmitters[3];
    Fish fish[kFishRecords];
    FoodPellet pellets[kPelletSlots];
    bool helpTextVisible = true;
    int helpTextFrames = 0;           // steps the help text has shown, 0..100
    BackgroundSurface surface;
    float tankXMin = 0, tankXMax = 0, tankYMax = 0, tankYMin = 0, tankZBack = 0;
    PointerState pointer; // mouseX, mouseY, pickPending, feedClick, interactionMode
    EmitterOrigin bubbleEmitterPositions[3];
    FeedState feedState; // the combs' sweep and the drop point found so far
    float backdropPhase = 0;
    bool backdropPhaseStarted = false;
};

// One step of the whole scene, 10 ms of its life; it calls no GL. In this order: the
// help text's count, the backdrop's colour cycle, the fish (with their food, contact and
// proximity passes), the surface's sway, the bubbles, the pellets, and in Feed mode the
// picking combs' sweep. Clicks are not consumed here: the frame drawn next answers them.
void stepScene(AquariumScene &scene, const AquariumSettings &current);
