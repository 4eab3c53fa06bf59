#include "FlatButton.h"

#include "HoverRule.h"
#include "ResourceImages.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

// One-pixel edge: top and left in the first colour, bottom and right in the second.
void draw3dRect(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    p.setPen(topLeft);
    p.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    p.setPen(bottomRight);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

void drawFocusFrame(QPainter& p, const QRect& r)
{
    QPen pen(Qt::black);
    pen.setDashPattern({1.0, 1.0});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

FlatButton::FlatButton(int id, const QString& text, QWidget* parent)
    : QPushButton(text, parent), id_(id)
{
    setFlat(true);
    setMouseTracking(true);
    const QPalette pal = palette();
    backgroundOut_ = pal.color(QPalette::Button);
    textOut_ = pal.color(QPalette::ButtonText);
    backgroundIn_ = backgroundOut_;
    textIn_ = textOut_;
    connect(this, &QPushButton::clicked, this, [this] { emit command(id_); });
}

void FlatButton::setDrawBorder(bool drawBorder, bool repaint)
{
    drawBorder_ = drawBorder;
    if (repaint)
        update();
}

void FlatButton::setShowText(bool showText, bool repaint)
{
    showText_ = showText;
    if (repaint)
        update();
}

void FlatButton::setFlatFocus(bool flatFocus, bool repaint)
{
    flatFocus_ = flatFocus;
    if (repaint)
        update();
}

void FlatButton::setBackgroundOut(const QColor& colour, bool repaint)
{
    backgroundOut_ = colour;
    if (repaint)
        update();
}

void FlatButton::setTextOut(const QColor& colour, bool repaint)
{
    textOut_ = colour;
    if (repaint)
        update();
}

void FlatButton::setBackgroundIn(const QColor& colour, bool repaint)
{
    backgroundIn_ = colour;
    if (repaint)
        update();
}

void FlatButton::setTextIn(const QColor& colour, bool repaint)
{
    textIn_ = colour;
    if (repaint)
        update();
}

void FlatButton::setIcon(int iconId, int hoverIconId, IconPlacement placement)
{
    const QPixmap normal = resourcePixmap(iconId);
    const QPixmap hover = hoverIconId != 0 ? resourcePixmap(hoverIconId) : normal;
    setIcons(normal.isNull() ? QIcon() : QIcon(normal),
             hover.isNull() ? QIcon() : QIcon(hover), placement);
}

void FlatButton::setIcons(const QIcon& icon, const QIcon& hoverIcon, IconPlacement placement)
{
    icon_ = icon;
    hoverIcon_ = hoverIcon.isNull() ? icon : hoverIcon;
    placement_ = placement;
    update();
}

void FlatButton::setButtonCursor(int cursorId)
{
    setButtonCursor(resourceCursor(cursorId));
}

void FlatButton::setButtonCursor(const QCursor& cursor)
{
    setCursor(cursor);
}

void FlatButton::setHovering(bool hovering)
{
    if (hovering_ == hovering)
        return;
    hovering_ = hovering;
    update();
}

void FlatButton::mouseMoveEvent(QMouseEvent* event)
{
    QPushButton::mouseMoveEvent(event);
    if (isFlat())
        setHovering(hoveringAfterMove(*this, *event, hovering_));
}

void FlatButton::leaveEvent(QEvent* event)
{
    QPushButton::leaveEvent(event);
    setHovering(false);
}

void FlatButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    setHovering(false);
}

QSize FlatButton::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, this->text());
    int w = text.width() + 12;
    int h = text.height() + 8;
    if (!icon_.isNull()) {
        w += 24;
        h = std::max(h, 24 + 6);
    }
    return QSize(w, h);
}

void FlatButton::drawEdges(QPainter& p, QRect& r, bool pressed) const
{
    const QPalette pal = palette();
    const QColor highlight = pal.color(QPalette::Light);
    const QColor light3d = pal.color(QPalette::Midlight);
    const QColor shadow = pal.color(QPalette::Dark);
    const QColor darkShadow = pal.color(QPalette::Shadow);

    if (pressed) {
        if (!isFlat()) {
            p.setPen(shadow);
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1, -1));
        } else if (drawBorder_) {
            draw3dRect(p, r, shadow, highlight);
        }
        return;
    }
    if (!isFlat()) {
        draw3dRect(p, r, highlight, shadow);
        draw3dRect(p, r.adjusted(1, 1, -1, -1), light3d, darkShadow);
    } else if (hovering_ && drawBorder_) {
        draw3dRect(p, r, highlight, shadow);
    }
}

void FlatButton::paintEvent(QPaintEvent*)
{
    const qreal dpr = devicePixelRatioF();
    QPixmap buffer(size() * dpr);
    buffer.setDevicePixelRatio(dpr);
    buffer.fill(Qt::transparent);

    const bool pressed = isDown();
    const bool lit = hovering_ || pressed;
    const QPalette pal = palette();

    {
        QPainter p(&buffer);
        QRect r = rect();

        if (!isFlat() && hasFocus()) {
            p.setPen(Qt::black);
            p.setBrush(Qt::NoBrush);
            p.drawRect(r.adjusted(0, 0, -1, -1));
            r.adjust(1, 1, -1, -1);
        }

        p.fillRect(r, lit ? backgroundIn_ : backgroundOut_);
        drawEdges(p, r, pressed);

        // Space for icon and text, inside the edge.
        QRect content = rect().adjusted(3, 3, -3, -3);
        const QPoint pressShift = pressed ? QPoint(1, 1) : QPoint(0, 0);

        const QIcon& icon = lit ? hoverIcon_ : icon_;
        if (!icon.isNull()) {
            const QSize avail = rect().size() - QSize(6, 6);
            QSize iconSize = icon.actualSize(QSize(std::max(1, avail.width()), std::max(1, avail.height())));
            QRect iconRect(QPoint(0, 0), iconSize);
            switch (placement_) {
            case IconPlacement::LeftOfText:
                iconRect.moveTopLeft(QPoint(3, (height() - iconSize.height()) / 2));
                content.setLeft(iconRect.right() + 1);
                break;
            case IconPlacement::RightOfText:
                iconRect.moveTopRight(QPoint(width() - 4, (height() - iconSize.height()) / 2));
                content.setRight(iconRect.left() - 1);
                break;
            case IconPlacement::AboveText:
                iconRect.moveTopLeft(QPoint((width() - iconSize.width()) / 2, 3));
                content.setTop(iconRect.bottom() + 1);
                break;
            case IconPlacement::BelowText:
                iconRect.moveBottomLeft(QPoint((width() - iconSize.width()) / 2, height() - 4));
                content.setBottom(iconRect.top() - 1);
                break;
            }
            if (!showText_ || text().isEmpty())
                iconRect.moveCenter(rect().center());
            const QPixmap pm = icon.pixmap(iconSize, dpr, isEnabled() ? QIcon::Normal : QIcon::Disabled);
            p.drawPixmap(iconRect.topLeft() + pressShift, pm);
        }

        if (showText_ && !text().isEmpty()) {
            const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
            p.setFont(font());
            const QRect textRect = content.translated(pressShift);
            if (isEnabled()) {
                p.setPen(lit ? textIn_ : textOut_);
                p.drawText(textRect, flags, text());
            } else {
                // Embossed: a light copy one pixel lower right under the grey text.
                p.setPen(pal.color(QPalette::Light));
                p.drawText(textRect.translated(1, 1), flags, text());
                p.setPen(pal.color(QPalette::Dark));
                p.drawText(textRect, flags, text());
            }
        }

        if (hasFocus() && (!isFlat() || flatFocus_))
            drawFocusFrame(p, rect().adjusted(3, 3, -3, -3));
    }

    QPainter screen(this);
    screen.drawPixmap(0, 0, buffer);
}
