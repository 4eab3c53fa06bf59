#include "DialogFont.h"

QFont dialogFont(DialogFontKind kind)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    if (kind == DialogFontKind::System) {
        font.setPixelSize(11);
        font.setBold(true);
    } else {
        font.setPixelSize(10);
    }
    return font;
}
