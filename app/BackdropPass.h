#pragma once

#include "AquariumScene.h"

struct AquariumSettings;

// The colour backdrop far behind the tank (twice its width, three times its height and
// depth): the plain colour, the manual gradient and the colour cycle at the phase the
// last step left, each as the settings switch it on, in that order. Draws the quads only
// when `shown`; either way each leaves smooth shading, texturing on and the colour white.
void drawBackdrop(const AquariumScene &scene, const AquariumSettings &current, bool shown);
