#pragma once

#include "Canvas.h"

// The built-in background picture: looking into open water from inside the tank. Lit
// teal water under the surface with soft light shafts, deeper blue in the middle, a
// sandy floor with ripples and rocks in the bottom fifth, kelp and grass at the sides.
// No pixel is pure black, which the picture's loader would make transparent.
namespace assetgen {

inline constexpr int kBackgroundWidth = 1024;
inline constexpr int kBackgroundHeight = 512;

Canvas paintBackground();

} // namespace assetgen
