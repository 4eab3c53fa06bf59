#pragma once

// World-unit bounds of the tank, derived from the screen size.
struct TankExtents {
    float xMin = 0, xMax = 0, yMax = 0, yMin = 0, zBack = 0;
};

// Extents for a screen of widthPx x heightPx device pixels. The listed screen sizes have
// their own x extents; any other size takes those of the listed size closest in aspect
// ratio (ties: closest in area). x is then widened by 20 on both sides.
TankExtents tankExtentsForScreen(int widthPx, int heightPx);
