#pragma once

#include "Canvas.h"

// The bubble sprite: on pure black (it is added onto the scene, so brightness is
// opacity), a thin pale blue-white rim, an almost empty inside, a small highlight
// towards the top-left and a faint reflection at the bottom-right.
namespace assetgen {

inline constexpr int kBubbleSize = 64;

Canvas paintBubble();

} // namespace assetgen
