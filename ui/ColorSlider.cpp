#include "ColorSlider.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionSlider>

ColorSlider::ColorSlider(int id, Qt::Orientation orientation, QWidget* parent)
    : QSlider(orientation, parent), id_(id)
{
    setMouseTracking(true);
    rebuildBrushes();
}

void ColorSlider::setThumbColour(const QColor& colour)
{
    thumbColour_ = colour;
    const QColor green(0, 255, 0);
    thumbOutline_ = green;
    channelLight_ = green;
    channelDark_ = green;
    endMarkerFill_ = green;
    rebuildBrushes();
    update();
}

void ColorSlider::rebuildBrushes()
{
    thumbBrush_ = QBrush(thumbColour_);
    // 8 x 8 pattern of alternating pixels (rows 0x55 and 0xAA): set bits take the thumb
    // colour, clear ones the channel's light colour.
    QImage pattern(8, 8, QImage::Format_RGB32);
    for (int y = 0; y < 8; ++y) {
        const unsigned bits = (y % 2 == 0) ? 0x55 : 0xAA;
        for (int x = 0; x < 8; ++x) {
            const bool set = bits & (0x80u >> x);
            pattern.setPixelColor(x, y, set ? thumbColour_ : channelLight_);
        }
    }
    pressedThumbBrush_ = QBrush(pattern);
}

QRect ColorSlider::thumbRect() const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    return style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
}

QRect ColorSlider::startMarkerRect() const
{
    const bool ticksBefore = tickPosition() == QSlider::TicksAbove; // TicksLeft when vertical
    if (orientation() == Qt::Horizontal)
        return ticksBefore ? QRect(1, height() - 8, 7, 7) : QRect(1, 1, 7, 7);
    return ticksBefore ? QRect(width() - 8, 1, 7, 7) : QRect(1, 1, 7, 7);
}

QRect ColorSlider::endMarkerRect() const
{
    const bool ticksBefore = tickPosition() == QSlider::TicksAbove;
    if (orientation() == Qt::Horizontal)
        return ticksBefore ? QRect(width() - 8, height() - 8, 7, 7) : QRect(width() - 8, 1, 7, 7);
    return ticksBefore ? QRect(width() - 8, height() - 8, 7, 7) : QRect(1, height() - 8, 7, 7);
}

bool ColorSlider::thumbActive() const
{
    return isSliderDown() || hasFocus() || thumbHot_;
}

void ColorSlider::mouseMoveEvent(QMouseEvent* event)
{
    QSlider::mouseMoveEvent(event);
    const bool hot = thumbRect().contains(event->position().toPoint());
    if (hot != thumbHot_) {
        thumbHot_ = hot;
        update();
    }
}

void ColorSlider::leaveEvent(QEvent* event)
{
    QSlider::leaveEvent(event);
    if (thumbHot_) {
        thumbHot_ = false;
        update();
    }
}

void ColorSlider::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    QStyleOptionSlider opt;
    initStyleOption(&opt);

    // Channel and tick marks as the style draws them; the thumb is ours.
    opt.subControls = QStyle::SC_SliderGroove;
    if (tickPosition() != QSlider::NoTicks)
        opt.subControls |= QStyle::SC_SliderTickmarks;
    opt.activeSubControls = QStyle::SC_None;
    style()->drawComplexControl(QStyle::CC_Slider, &opt, &p, this);

    // A one-pixel frame one pixel inside the channel.
    const QRect groove = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, this);
    const QRect frame = groove.adjusted(1, 1, -1, -1);
    if (frame.width() > 1 && frame.height() > 1) {
        p.setPen(channelLight_);
        p.drawLine(frame.topLeft(), frame.topRight());
        p.drawLine(frame.topLeft(), frame.bottomLeft());
        p.setPen(channelDark_);
        p.drawLine(frame.bottomLeft(), frame.bottomRight());
        p.drawLine(frame.topRight(), frame.bottomRight());
    }

    // Thumb: an ellipse filling its box.
    const QRect thumb = thumbRect();
    p.setPen(thumbOutline_);
    p.setBrush(thumbActive() ? pressedThumbBrush_ : thumbBrush_);
    p.drawEllipse(thumb.adjusted(0, 0, -1, -1));

    // The end circles, 7 x 7, outlined in the thumb colour.
    p.setPen(thumbColour_);
    p.setBrush(Qt::white);
    p.drawEllipse(startMarkerRect().adjusted(0, 0, -1, -1));
    p.setBrush(endMarkerFill_);
    p.drawEllipse(endMarkerRect().adjusted(0, 0, -1, -1));
}
