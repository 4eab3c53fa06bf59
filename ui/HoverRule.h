#pragma once

#include <QMouseEvent>
#include <QWidget>

// Whether an owner-drawn button is lit after the pointer moved over it: it is lit while
// the pointer is inside it, except that a drag with the left button that started
// elsewhere does not light it up (a lit button stays lit until the pointer leaves).
inline bool hoveringAfterMove(const QWidget& button, const QMouseEvent& event, bool hovering)
{
    if ((event.buttons() & Qt::LeftButton) && !hovering)
        return false;
    return button.rect().contains(event.position().toPoint());
}
