#include "DialogUnits.h"

#include <cstdint>

namespace {

// a * b / c rounded to the nearest integer, halves away from zero.
int mulDivRounded(int a, int b, int c)
{
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t half = c / 2;
    const int64_t q = product >= 0 ? (product + half) / c : (product - half) / c;
    return static_cast<int>(q);
}

} // namespace

DialogBaseUnits dialogBaseUnits(DialogFontKind font)
{
    switch (font) {
    case DialogFontKind::System:
        return {8, 16};
    case DialogFontKind::MsSansSerif8:
        break;
    }
    return {6, 13};
}

int dialogUnitsToPixelsX(DialogFontKind font, int units)
{
    return mulDivRounded(units, dialogBaseUnits(font).x, 4);
}

int dialogUnitsToPixelsY(DialogFontKind font, int units)
{
    return mulDivRounded(units, dialogBaseUnits(font).y, 8);
}

QRect dialogRect(DialogFontKind font, int x, int y, int width, int height)
{
    const int left = dialogUnitsToPixelsX(font, x);
    const int top = dialogUnitsToPixelsY(font, y);
    const int right = dialogUnitsToPixelsX(font, x + width);
    const int bottom = dialogUnitsToPixelsY(font, y + height);
    return QRect(left, top, right - left, bottom - top);
}

QSize dialogSize(DialogFontKind font, int width, int height)
{
    return QSize(dialogUnitsToPixelsX(font, width), dialogUnitsToPixelsY(font, height));
}
