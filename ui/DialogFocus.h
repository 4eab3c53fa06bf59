#pragma once

class QWidget;

// Where the keyboard focus goes when one of the program's dialogs closes: back to the
// window it belongs to, as a window manager would do. Without one (a bare X server, a
// kiosk display) the focus would fall to the root window, where it follows the pointer
// and a dialog shown next loses it again to the window under the pointer.
void returnFocusToParent(QWidget *dialog);
