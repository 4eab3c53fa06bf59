#pragma once

#include "DialogUnits.h"

#include <QFont>

// The Linux stand-in for a dialog template's font, chosen so that its average character
// width and height match the base units the layout was made for:
//   MsSansSerif8 -> DejaVu Sans, 10 px (about 6.2 x 11.6 px per character)
//   System       -> DejaVu Sans Bold, 11 px (about 7.6 x 12.8 px per character)
QFont dialogFont(DialogFontKind font);
