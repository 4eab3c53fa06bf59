#include "LampCheckButton.h"

#include "HoverRule.h"
#include "ResourceImages.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

LampCheckButton::LampCheckButton(int id, const QString& text, QWidget* parent)
    : QAbstractButton(parent), id_(id)
{
    setText(text);
    setCheckable(true);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void LampCheckButton::setCheck(int state, bool repaint)
{
    setChecked(state == 1 || state == 2);
    if (repaint)
        this->repaint();
}

void LampCheckButton::setLampColours(const QColor& checkedColour, const QColor& uncheckedColour)
{
    checkedColour_ = checkedColour;
    uncheckedColour_ = uncheckedColour;
    update();
}

void LampCheckButton::setLampSize(int diameter)
{
    lampSize_ = std::max(1, diameter);
    update();
}

void LampCheckButton::setIcons(int checkedIconId, int uncheckedIconId)
{
    const QPixmap on = resourcePixmap(checkedIconId);
    const QPixmap off = resourcePixmap(uncheckedIconId);
    setIcons(on.isNull() ? QIcon() : QIcon(on), off.isNull() ? QIcon() : QIcon(off));
}

void LampCheckButton::setIcons(const QIcon& checkedIcon, const QIcon& uncheckedIcon)
{
    checkedIcon_ = checkedIcon;
    uncheckedIcon_ = uncheckedIcon;
    update();
}

void LampCheckButton::setTextAlignment(Qt::Alignment alignment)
{
    textAlignment_ = alignment & Qt::AlignHorizontal_Mask;
    update();
}

void LampCheckButton::setTextOnLeft(bool textOnLeft)
{
    textOnLeft_ = textOnLeft;
    update();
}

void LampCheckButton::nextCheckState()
{
    // Flip, show it, and only then tell the dialog.
    QAbstractButton::nextCheckState();
    repaint();
    QMetaObject::invokeMethod(this, [this] { emit command(id_); }, Qt::QueuedConnection);
}

void LampCheckButton::setHovering(bool hovering)
{
    if (hovering_ == hovering)
        return;
    hovering_ = hovering;
    update();
}

void LampCheckButton::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event);
    setHovering(hoveringAfterMove(*this, *event, hovering_));
}

void LampCheckButton::leaveEvent(QEvent* event)
{
    QAbstractButton::leaveEvent(event);
    setHovering(false);
}

int LampCheckButton::indicatorSize() const
{
    if (hasIconPair()) {
        const QSize s = checkedIcon_.availableSizes().value(0, QSize(16, 16));
        return s.width();
    }
    return lampSize_;
}

QRect LampCheckButton::indicatorRect() const
{
    const int size = indicatorSize();
    const QRect inner = rect().adjusted(3, 3, -3, -3);
    const int top = (inner.height() - size) / 2 + 2;
    const int left = textOnLeft_ ? inner.right() + 1 - size : inner.left();
    return QRect(left, top, size, size);
}

QSize LampCheckButton::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextSingleLine, this->text());
    return QSize(indicatorSize() + 3 + text.width() + 12, std::max(indicatorSize(), text.height()) + 8);
}

void LampCheckButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QPalette pal = palette();
    QRect r = rect();

    if (hovering_) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::black);
        p.setBrush(pal.color(QPalette::Light));
        p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    } else {
        p.fillRect(r, pal.color(QPalette::Button));
    }

    r.adjust(2, 2, -2, -2);
    if (hasFocus()) {
        QPen pen(Qt::black);
        pen.setDashPattern({1.0, 1.0});
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    r.adjust(1, 1, -1, -1);

    const QRect indicator = indicatorRect();
    if (hasIconPair()) {
        const QIcon& icon = isChecked() ? checkedIcon_ : uncheckedIcon_;
        const QSize size = icon.availableSizes().value(0, QSize(indicator.width(), indicator.width()));
        QPoint at(indicator.left(), 0);
        if (isDown())
            at += QPoint(1, 1);
        p.drawPixmap(at, icon.pixmap(size, devicePixelRatioF(), isEnabled() ? QIcon::Normal : QIcon::Disabled));
    } else {
        // Lamp: black ring around the fill, and an inner ring in the unchecked colour.
        p.setRenderHint(QPainter::Antialiasing, true);
        QColor fill = !isEnabled() ? pal.color(QPalette::Dark) : isChecked() ? checkedColour_ : uncheckedColour_;
        const QRectF outer = QRectF(indicator).adjusted(0.5, 0.5, -0.5, -0.5);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(fill);
        p.drawEllipse(outer);
        p.setPen(QPen(uncheckedColour_, 1));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(outer.adjusted(1, 1, -1, -1));
        p.setRenderHint(QPainter::Antialiasing, false);
    }

    QRect textRect = r;
    if (textOnLeft_)
        textRect.setRight(indicator.left() - 3 - 1);
    else
        textRect.setLeft(indicator.right() + 1 + 3);
    const int flags = int(textAlignment_) | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    p.setFont(font());
    if (isEnabled()) {
        p.setPen(pal.color(QPalette::ButtonText));
        p.drawText(textRect, flags, text());
    } else {
        p.setPen(pal.color(QPalette::Light));
        p.drawText(textRect.translated(1, 1), flags, text());
        p.setPen(pal.color(QPalette::Dark));
        p.drawText(textRect, flags, text());
    }
}
