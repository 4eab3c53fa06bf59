#pragma once

#include <QImage>
#include <QPixmap>

// The picture behind the fish settings grid: 500 x 512 pixels, the 25 species in a 5 x 5
// grid of 100 x 90 cells (cell i at 100 * (i mod 5) + 2, 90 * (i div 5) + 2), species i in
// cell i, and a sandy floor below the grid.
//
// Bitmap 129 of the program's resources when the store has it; otherwise the picture is
// painted here from the species skins themselves (the scrambled skins 10000 + i of the
// embedded store), each on a side-view fish shape with the species' name, so it always
// shows the fish the tank draws.
QPixmap speciesPicture();

// The painted picture (no resource lookup). A skin that cannot be read leaves its fish
// grey.
QImage paintSpeciesPicture();

// The skin of one species, 0..24, read and descrambled in memory from the embedded store;
// a null image when the store lacks it.
QImage speciesSkin(int species);

// English names of the 25 species in species order.
const char* speciesName(int species);
