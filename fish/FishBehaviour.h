#pragma once

#include "FishPopulation.h"
#include "FoodPellet.h"

#include <functional>

// The passes between fish that follow each fish's draw in a frame, and the fish pass
// that strings them together.

inline constexpr int kModeTouch = 1035;
inline constexpr int kModeFeed = 1036;
inline constexpr int kModeZoomIn = 1037;
inline constexpr int kModeZoomOut = 1038;

// Climb angle toward a pellet from its own world x and y, whole degrees: 0 at the
// origin; 270 / 90 on the y axis below / above; 0 / 180 on the x axis right / left;
// else A = atan(|y / x|) truncated, A in the first quadrant, 90 - A in the others.
int pelletPositionAngle(float x, float y);

// Food pass of one fish (acts only in Feed mode; elsewhere `attracted` keeps its value):
// `attracted` is cleared, then every alive pellet whose world position is within 10
// units (x and y) of the nose attracts the fish and steers it toward itself; within 3
// units it slows the fish to 0.1.
void foodPass(Fish &fish, const FoodPellet (&pellets)[kPelletSlots], int interactionMode);

// Contact pass of fish i against every other live fish j in index order.
void contactPass(Fish (&fish)[kFishRecords], int i, int liveCount);

// Proximity pass: every pair a < j of live fish whose recorded positions differ by less
// than 5 in each of x, y and z makes fish a climb away from j by one degree.
void proximityPass(Fish (&fish)[kFishRecords], const float positions[kFishRecords][3], int liveCount);

// One step's fish pass: for each live record i in index order, drawOne(fish, i,
// species) (the fish's own step, Fish::advance, as stepFish passes it), then its food
// pass, pellet capture, contact pass and the record of its position; after the last one
// the proximity pass (also with no fish live).
using DrawOneFish = std::function<void(Fish &fish, int index, int species)>;
void runFishFrame(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
                  FoodPellet (&pellets)[kPelletSlots], int interactionMode, const DrawOneFish &drawOne);

// The fish's part of a scene step: runFishFrame with each fish's own advance.
void stepFish(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
              FoodPellet (&pellets)[kPelletSlots], int interactionMode);
