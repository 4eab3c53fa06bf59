#pragma once

#include "FishBehaviour.h"

// Where food lands and which fish a click means: the two picking combs, their sweep,
// the drop state, and what Touch and Zoom do to the picked fish.

// One picking rail, on the plane z = -70.
struct PickRail {
    float x = 0, y = 0, z = 0;
};

inline constexpr int kRailsX = 101;
inline constexpr int kRailsY = 51;

// State of the feed picking kept across frames.
struct FeedState {
    bool sweepRightX = false;  // the x comb's sweep flag
    bool sweepUpY = true;      // the y comb's sweep flag
    bool dropXFound = false, dropYFound = false;
    float dropX = 0, dropY = 0;
};

// Scene set-up: rail i of the x comb at (tankXMin + i * 0.990099, 0, -70); with d =
// (int)(tankYMax - tankYMin), rail j of the y comb at (0, tankYMin + d * 0.02 * j, -70).
void layOutPickRails(PickRail (&railsX)[kRailsX], PickRail (&railsY)[kRailsY], float tankXMin,
                     float tankYMax, float tankYMin);

// One frame of the comb sweep (Feed mode): each comb slides 0.5 a frame and turns back
// once rail 0 is 5 beyond `start` (tankXMin for the x comb, tankYMin for the y comb).
void sweepComb(PickRail *rails, int count, float start, bool &flag, bool alongX);
void sweepCombs(FeedState &state, PickRail (&railsX)[kRailsX], PickRail (&railsY)[kRailsY],
                float tankXMin, float tankYMin);

// Stores a comb result: the first coordinate found inside the tank is kept.
void acceptDropPoint(FeedState &state, float px, float py, float tankXMin, float tankXMax,
                     float tankYMin, float tankYMax);

// The drop after the picking: when the click is pending and both coordinates are found,
// clears the three flags and drops one to ten pellets there. Returns the count dropped.
int dropAtFoundPoint(FeedState &state, bool &feedClick, FoodPellet (&pellets)[kPelletSlots]);

// Touch: a quarter turn when the fish is in the turning band and no turn is in
// progress, and full speed (0.4).
void touchFish(Fish &fish);

// Zoom In (+2) and Zoom Out (-2), `scale` kept within 3..9.
void zoomFish(Fish &fish, float change);

// Acts on the picked fish by mode (1035 touch, 1037 zoom in, 1038 zoom out).
void actOnPickedFish(Fish &fish, int interactionMode);
