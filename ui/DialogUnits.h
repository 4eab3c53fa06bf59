#pragma once

#include <QRect>
#include <QSize>

// Dialog layouts are written in dialog units, which scale with the dialog's font: a
// horizontal unit is a quarter of the font's average character width and a vertical
// unit an eighth of its height. The two fonts our dialogs use:
//   MsSansSerif8: 6 x 13 base pixels -> 1.5 px per horizontal unit, 1.625 per vertical
//   System:       8 x 16 base pixels -> 2 px per unit both ways
enum class DialogFontKind { MsSansSerif8, System };

struct DialogBaseUnits {
    int x; // pixels per 4 horizontal dialog units
    int y; // pixels per 8 vertical dialog units
};

DialogBaseUnits dialogBaseUnits(DialogFontKind font);

// One coordinate in dialog units to pixels, rounded to the nearest pixel (halves away
// from zero).
int dialogUnitsToPixelsX(DialogFontKind font, int units);
int dialogUnitsToPixelsY(DialogFontKind font, int units);

// A control's rectangle (x, y, width, height in dialog units) in client pixels. Both
// corners are converted, so neighbouring controls stay flush after rounding.
QRect dialogRect(DialogFontKind font, int x, int y, int width, int height);

// A dialog's client size in pixels from its size in dialog units.
QSize dialogSize(DialogFontKind font, int width, int height);
