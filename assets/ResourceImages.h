#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// Cursors, icons and pictures the program carries in its resources, by the integer ids
// the rest of the program uses. Need a QGuiApplication.
//
// - resourceCursor: the view's cursors 158 159 (touch), 163 164 (feed), 167 177 (zoom
//   in), 169 178 (zoom out), each with its hot spot; any other id gives the standard
//   arrow.
// - resourcePixmap: the menu icons 133 160 134 135 180 253 232 175 (24 x 24), the switch
//   icons 183 (off) and 184 (on), or a cursor's picture by its id; a null pixmap for any
//   other id.
// - applicationIcon: the application icon at 16, 24, 32, 48, 64, 128 and 256 pixels.

QCursor resourceCursor(int id);
QPixmap resourcePixmap(int id);
QIcon applicationIcon();
