#pragma once

// The fish subsystem's per-frame passes, as the view calls them.
//
// Scene set-up (initialiseScene), after the settings are loaded and the tank extents
// are known, in this order:
//     placeFish(fish, tankYMax, tankYMin);                       // FishPopulation.h
//     layOutPickRails(pickRailsX, pickRailsY, tankXMin, tankYMax, tankYMin);
//     for (FoodPellet &p : pellets) p.setUp();                   // FoodPellet.h
// (The 25 FoodPellet records are constructed with the view, after the 25 Fish.)
//
// drawFrame, at these points of the frame (GL context current, modelview = camera):
//     after the colour backdrop:      runFishPass(fish, settings.speciesCounts,
//                                                 speciesTextures, pellets, interactionMode);
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

// The fish pass: each live fish drawn and stepped with its species texture bound
// (push, translate to the fish, bind, Fish::draw, pop), then its food pass (Feed mode
// only), pellet capture and contact pass; then the proximity pass. Leaves the bound
// texture as the last fish's.
void runFishPass(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
                 const GLuint textures[kSpeciesCount], FoodPellet (&pellets)[kPelletSlots],
                 int interactionMode);

// The pellet pass: each alive pellet is drawn as a small red fish (scale 0.3, species
// 25, lighting off, no texture of its own) and moves one frame; an eaten one frees its
// slot. Leaves the current colour red.
void drawPellets(FoodPellet (&pellets)[kPelletSlots]);

// The first rail of a comb under the mouse (a 15 x 15 pixel pick region), its x (x comb)
// or y (y comb); 0 when none is.
float pickComb(const PickRail *rails, int count, bool xComb, int mouseX, int mouseY);

// Feed mode: the comb sweep, and while a feed click waits, the drop point picking and
// the drop of one to ten pellets at (drop x, drop y - 2, -70).
void runFeedPicking(FeedState &state, PickRail (&railsX)[kRailsX], PickRail (&railsY)[kRailsY],
                    float tankXMin, float tankXMax, float tankYMin, float tankYMax,
                    int interactionMode, int mouseX, int mouseY, bool &feedClick,
                    FoodPellet (&pellets)[kPelletSlots]);

// Touch and zoom modes: when a press is pending, consumes it and draws each live fish in
// its own selection pass (20 x 20 pixel region); the first fish in index order under the
// mouse is touched or zoomed. Each of those draws also steps its fish once more.
// Returns the picked record, or -1.
int runFishPicking(Fish (&fish)[kFishRecords], const int counts[kSpeciesCount],
                   int interactionMode, int mouseX, int mouseY, bool &pickPending);
