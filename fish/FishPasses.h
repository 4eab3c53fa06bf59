#pragma once

// The fish subsystem's drawing passes, as the view calls them. They draw the scene as the
// last step left it (see stepFish, stepPellets and sweepCombs for the step) and change
// none of it; the picking passes only answer a pending click.
//
// Scene set-up (initialiseScene), after the settings are loaded and the tank extents
// are known, in this order:
//     placeFish(fish, tankYMax, tankYMin);                       // FishPopulation.h
//     layOutPickRails(pickRailsX, pickRailsY, tankXMin, tankYMax, tankYMin);
//     for (FoodPellet &p : pellets) p.setUp();                   // FoodPellet.h
// (The 25 FoodPellet records are constructed with the view, after the 25 Fish.)
//
// Drawing a frame, at these points (GL context current, modelview = camera):
//     after the colour backdrop:      drawFishPass(fish, settings.speciesCounts,
//                                                  speciesTextures);
//     after the bubbles:              glDisable(GL_LIGHTING);   (drawPellets repeats it)
//     then:                           drawPellets(pellets);
//     then:                           runFeedPicking(feedState, pickRailsX, pickRailsY,
//                                         tankXMin, tankXMax, tankYMin, tankYMax,
//                                         interactionMode, mouseX, mouseY, feedClick, pellets);
//     then, before glFinish/swap:     runFishPicking(fish, settings.speciesCounts,
//                                         interactionMode, mouseX, mouseY, pickPending);
// runFeedPicking acts only in Feed mode (1036) and runFishPicking only in Touch, Zoom In
// and Zoom Out (1035, 1037, 1038), so both may be called every frame. Mouse coordinates
// are viewport pixels with y counted from the top.

#include "FeedPicking.h"
#include "FishBehaviour.h"

#include <GL/gl.h>

// The fish pass: each live fish drawn where its last step shows it, with its species
// texture bound (push, translate, bind, Fish::draw, pop). Leaves the bound texture as the
// last fish's.
void drawFishPass(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
                  const GLuint textures[kSpeciesCount]);

// The pellet pass: each alive, uneaten pellet is drawn where its last step shows it, as a
// small red fish (scale 0.3, species 25, lighting off, no texture of its own). Leaves the
// current colour red when it drew one.
void drawPellets(FoodPellet (&pellets)[kPelletSlots]);

// The first rail of a comb under the mouse (a 15 x 15 pixel pick region), its x (x comb)
// or y (y comb); 0 when none is.
float pickComb(const PickRail *rails, int count, bool xComb, int mouseX, int mouseY);

// Feed mode: while a feed click waits, the drop point picking on the combs as the last
// step swept them, and the drop of one to ten pellets at (drop x, drop y - 2, -70).
void runFeedPicking(FeedState &state, PickRail (&railsX)[kRailsX], PickRail (&railsY)[kRailsY],
                    float tankXMin, float tankXMax, float tankYMin, float tankYMax,
                    int interactionMode, int mouseX, int mouseY, bool &feedClick,
                    FoodPellet (&pellets)[kPelletSlots]);

// Touch and zoom modes: when a press is pending, consumes it and draws each live fish as
// the frame shows it in its own selection pass (20 x 20 pixel region); the first fish in
// index order under the mouse is touched or zoomed. Returns the picked record, or -1.
int runFishPicking(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
                   int interactionMode, int mouseX, int mouseY, bool &pickPending);
