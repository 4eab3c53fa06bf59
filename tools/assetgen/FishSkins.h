#pragma once

#include "Canvas.h"

// The 25 species skins. Each skin is a side view stretched over the whole square:
// u = x / width runs from the nose (left edge, 0) to the tail fin (right edge, 1),
// v = y / height from the back (top edge, 0) to the belly (bottom edge, 1).
// The whole square carries the body's colours and pattern; the fin colours lie along the
// edges: the dorsal fin in the top band, the tail fin in the right band, the ventral and
// anal fins in the bottom band. The eye is painted in the front third, upper half.
namespace assetgen {

inline constexpr int kSpeciesCount = 25;
inline constexpr int kSkinSize = 128;

// Where the painted regions lie, in the u/v units above.
inline constexpr double kTailFinStart = 0.80;   // tail fin band: u >= this
inline constexpr double kDorsalFinEnd = 0.13;   // dorsal fin band: v <= this
inline constexpr double kVentralFinStart = 0.88; // ventral/anal band: v >= this
inline constexpr double kEyeU = 0.15;
inline constexpr double kEyeV = 0.36;

// Paints skin `species` (0..24) at kSkinSize x kSkinSize.
Canvas paintSkin(int species);
// English name of the species, for previews.
const char* speciesName(int species);

} // namespace assetgen
