#include "DialogFocus.h"

#include <QWidget>

void returnFocusToParent(QWidget *dialog)
{
    QWidget *parent = dialog ? dialog->parentWidget() : nullptr;
    if (parent && parent->window()->isVisible())
        parent->window()->activateWindow();
}
