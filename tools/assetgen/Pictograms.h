#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <vector>

// Cursors, menu icons, switch icons and the application icon, drawn with QPainter on
// ARGB images (no display needed). All share one style: a dark soft outline, fills that
// are lit from the top-left, rounded shapes.
namespace assetgen {

struct CursorPicture {
    int id = 0;
    QImage image;   // 32 x 32
    QPoint hotSpot; // pixel that points
};

struct IconPicture {
    QString name;   // file name without ".png": the resource id, or "app-<size>"
    QImage image;
};

// The view's cursors: 158/159 touch hand, 163/164 food shaker, 167/177 magnifier with
// "+", 169/178 magnifier with "-" (the second of each pair is the button-held look).
std::vector<CursorPicture> drawCursors();
// Menu icons 133 160 134 135 180 253 232 175 (24 x 24) and switch icons 183 (off) and
// 184 (on).
std::vector<IconPicture> drawMenuIcons();
// The application icon at 16, 24, 32, 48, 64, 128 and 256 pixels.
std::vector<IconPicture> drawApplicationIcons();

} // namespace assetgen
