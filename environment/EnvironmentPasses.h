#pragma once

#include "BackgroundSurface.h"
#include "BubbleEmitter.h"

#include <string>

struct AquariumSettings;

// The environment's part of the scene set-up and of each frame. All of them need the
// view's GL context current.
//
// Set-up, in the scene's order:
//   1. after the tank extents, before the settings are loaded:
//        surface.updateControlGrid(tankXMin, tankXMax, settings.background);
//        surface.drawSurface();
//   2. after the settings are loaded:
//        setUpBubbleEmitters(bubbleEmitters, bubbleEmitterPositions, tankYMin,
//                            tankZBack, settings.qiPaoNum, assetDirectory());
// Each frame, after the fish and before the food pellets, as the last step left them:
//   drawBackgroundPass(surface, surfacePictureTexture(...), tankXMin, tankXMax);
//   drawBubblePass(bubbleEmitters, bubbleEmitterPositions);
// (The step: stepBackgroundSurface and stepBubbles, in BackgroundSurface.h and
// BubbleEmitter.h.)

// For emitter i = 0, 1, 2 in turn: its origin into positions[i], create(110), the
// sprite (only when create succeeded), then 110 steps of bubbleDrawCount(qipaoNum)
// particles, each drawn at the current matrix, so the streams are spread out on the
// first frame.
// The drawing lands in the back buffer, which the first frame clears.
void setUpBubbleEmitters(BubbleEmitter (&emitters)[3], EmitterOrigin (&positions)[3],
                         float tankYMin, float tankZBack, int qipaoNum,
                         const std::string &assetDirectory);

// When the surface is shown (backgroundSurfaceShown): binds `texture`, pushes the
// model-view matrix, lays the control grid out over the tank's extents with the sway as
// it is, draws the surface, pops. Never advances the sway.
void drawBackgroundPass(BackgroundSurface &surface, unsigned texture, float tankXMin,
                        float tankXMax, const AquariumSettings &current);
void drawBackgroundPass(BackgroundSurface &surface, unsigned texture, float tankXMin,
                        float tankXMax);  // with the global settings

// Whether the surface as the coming background pass will draw it covers every pixel of the viewport, seen with the current model-view and projection.
// Then nothing drawn before it shows where nothing in front of it is drawn: the frame's
// colour clear and backdrop may be left out. False when the surface is not shown.
bool surfaceWillCoverViewport(const BackgroundSurface &surface, float tankXMin, float tankXMax,
                              const AquariumSettings &current);

// The bubble pass: push; fog off; blend source-alpha / one, blending on; depth test off;
// each emitter k drawn translated by (positions[k].x + 5, .y - 25, .z - 60) with the
// squares its last step kept; then blending off, depth test on, pop. Fog stays off. The
// current colour applies.
void drawBubblePass(const BubbleEmitter (&emitters)[3], const EmitterOrigin (&positions)[3]);
