#include "Pictograms.h"

#include "ResourceStore.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace assetgen {

namespace {

const QColor kOutline(22, 30, 42);

QImage blank(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

// Darkens (factor < 1) a colour for the button-held look, keeping its alpha.
QColor dim(const QColor& c, double factor)
{
    return QColor::fromRgbF(c.redF() * factor, c.greenF() * factor, c.blueF() * factor, c.alphaF());
}

QPen outline(double width) { return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void begin(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

// Fill lit from the top-left: a light colour fading into a darker one.
QLinearGradient litGradient(const QRectF& r, const QColor& light, const QColor& dark)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    return g;
}

// Across a cylinder: dark rims, a highlight a third of the way across.
QLinearGradient cylinderGradient(double left, double right, const QColor& base, double shadeFactor)
{
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0.0, dim(base, 0.62 * shadeFactor));
    g.setColorAt(0.32, dim(base.lighter(135), shadeFactor));
    g.setColorAt(0.55, dim(base, shadeFactor));
    g.setColorAt(1.0, dim(base, 0.55 * shadeFactor));
    return g;
}

// ---- Food shaker, in a 32-unit square ----

struct Flake {
    double x, y, angle;
    QColor colour;
};

void drawFlakes(QPainter& p, const std::vector<Flake>& flakes, double shadeFactor)
{
    for (const Flake& f : flakes) {
        p.save();
        p.translate(f.x, f.y);
        p.rotate(f.angle);
        p.setPen(QPen(kOutline, 0.7));
        p.setBrush(dim(f.colour, shadeFactor));
        p.drawRoundedRect(QRectF(-1.3, -1.0, 2.6, 2.0), 0.5, 0.5);
        p.restore();
    }
}

// A shaker can whose lid (with its holes) points along `angle` rotated from straight
// up; `centre` is the middle of the can.
void drawShaker(QPainter& p, QPointF centre, double angle, double shadeFactor)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    // Body: a red cylinder with a cream label and a small fish on it.
    const QRectF body(-6, -7, 12, 17);
    p.setPen(outline(1.0));
    p.setBrush(cylinderGradient(-6, 6, QColor(222, 74, 46), shadeFactor));
    p.drawRoundedRect(body, 2.2, 2.2);
    p.setPen(Qt::NoPen);
    p.setBrush(cylinderGradient(-6, 6, QColor(246, 240, 222), shadeFactor));
    p.drawRect(QRectF(-5.5, -2, 11, 6.5));
    p.setBrush(dim(QColor(255, 150, 30), shadeFactor));
    p.drawEllipse(QRectF(-3.2, -0.2, 4.6, 2.8));
    QPainterPath tail;
    tail.moveTo(1.0, 1.2);
    tail.lineTo(3.4, -0.2);
    tail.lineTo(3.4, 2.6);
    tail.closeSubpath();
    p.drawPath(tail);
    // Lid with three holes.
    p.setPen(outline(1.0));
    p.setBrush(cylinderGradient(-6.8, 6.8, QColor(255, 208, 64), shadeFactor));
    p.drawRoundedRect(QRectF(-6.8, -11.5, 13.6, 5.0), 1.6, 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutline);
    for (double x : {-3.4, 0.0, 3.4})
        p.drawEllipse(QPointF(x, -10.0), 0.9, 0.9);
    p.restore();
}

QImage shakerCursor(bool held)
{
    QImage image = blank(32, 32);
    QPainter p(&image);
    begin(p);
    const double shadeFactor = held ? 0.8 : 1.0;
    if (!held) {
        drawShaker(p, QPointF(20, 12), -135, shadeFactor);
        drawFlakes(p, {{10.5, 23.0, 20, QColor(255, 140, 40)},
                       {7.0, 25.8, -30, QColor(120, 200, 80)},
                       {11.0, 28.2, 45, QColor(230, 60, 50)},
                       {5.2, 29.6, 10, QColor(255, 210, 70)}},
                   shadeFactor);
    } else {
        // Tipped further and shaken: motion marks and a heavier fall of food.
        drawShaker(p, QPointF(19, 11), -155, shadeFactor);
        p.setPen(QPen(QColor(240, 248, 255), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(27.5, 3.5), QPointF(30, 6));
        p.drawLine(QPointF(25, 1.5), QPointF(28.5, 2.5));
        p.setPen(QPen(kOutline, 1.0, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(27.5, 3.5), QPointF(30, 6));
        p.drawLine(QPointF(25, 1.5), QPointF(28.5, 2.5));
        drawFlakes(p, {{12.0, 22.5, 30, QColor(255, 140, 40)},
                       {8.6, 24.2, -20, QColor(120, 200, 80)},
                       {13.2, 26.0, 60, QColor(230, 60, 50)},
                       {5.6, 27.0, 15, QColor(255, 210, 70)},
                       {9.8, 28.6, -45, QColor(255, 140, 40)},
                       {6.6, 30.4, 35, QColor(230, 60, 50)}},
                   shadeFactor);
    }
    return image;
}

// ---- Pointing hand, in a 32-unit square, fingertip at (11.75, 1) ----

QPainterPath capsule(QPointF a, QPointF b, double radius)
{
    QPainterPath path;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double len = std::hypot(dx, dy);
    const double angle = std::atan2(dy, dx) * 180 / 3.14159265358979;
    QPainterPath local;
    local.addRoundedRect(QRectF(-radius, -radius, len + 2 * radius, 2 * radius), radius, radius);
    QTransform t;
    t.translate(a.x(), a.y());
    t.rotate(angle);
    return t.map(local);
}

void drawHand(QPainter& p, bool held)
{
    // When held the index finger bends: the hand moves up towards the unchanged tip.
    const double lift = held ? 3.0 : 0.0;
    QPainterPath hand;
    hand.addRoundedRect(QRectF(9.0, 1.0, 5.5, 15.5 - lift), 2.75, 2.75);
    hand = hand.united(capsule(QPointF(16.3, 12.3 - lift), QPointF(16.3, 15.5 - lift), 2.3));
    hand = hand.united(capsule(QPointF(20.6, 13.2 - lift), QPointF(20.6, 16.5 - lift), 2.2));
    hand = hand.united(capsule(QPointF(24.7, 14.6 - lift), QPointF(24.7, 17.5 - lift), 2.1));
    QPainterPath palm;
    palm.addRoundedRect(QRectF(8.6, 13.5 - lift, 18.6, 12.5), 4.5, 4.5);
    hand = hand.united(palm);
    hand = hand.united(capsule(QPointF(10.5, 21.5 - lift), QPointF(5.2, 15.8 - lift), 2.3));
    hand = hand.simplified();

    const double shadeFactor = held ? 0.82 : 1.0;
    // A soft shadow so the white glove reads on light water too.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(hand.translated(1.0, 1.0));
    p.setPen(outline(1.1));
    p.setBrush(litGradient(QRectF(5, 1, 22, 26), dim(QColor(255, 255, 255), shadeFactor),
                           dim(QColor(196, 210, 224), shadeFactor)));
    p.drawPath(hand);
    // Creases between the folded fingers.
    p.setPen(QPen(QColor(22, 30, 42, 150), 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18.45, 12.6 - lift), QPointF(18.45, 16.4 - lift));
    p.drawLine(QPointF(22.65, 13.8 - lift), QPointF(22.65, 17.2 - lift));
    p.drawLine(QPointF(14.5, 11.8 - lift), QPointF(14.5, 15.5 - lift));
    // Cuff.
    p.setPen(outline(1.0));
    p.setBrush(litGradient(QRectF(10.5, 25.5 - lift, 15, 5), dim(QColor(140, 200, 255), shadeFactor),
                           dim(QColor(40, 110, 200), shadeFactor)));
    p.drawRoundedRect(QRectF(10.5, 25.0 - lift, 15.0, 5.0), 1.6, 1.6);
    if (held) {
        // Touch marks beside the fingertip.
        for (double side : {-1.0, 1.0}) {
            QPainterPath mark;
            mark.moveTo(11.75 + side * 4.2, 0.8);
            mark.lineTo(11.75 + side * 6.8, 2.0);
            mark.moveTo(11.75 + side * 4.0, 3.6);
            mark.lineTo(11.75 + side * 6.4, 6.0);
            p.setPen(QPen(QColor(240, 248, 255), 2.2, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(mark);
            p.setPen(QPen(QColor(30, 110, 200), 1.0, Qt::SolidLine, Qt::RoundCap));
            p.drawPath(mark);
        }
    }
}

QImage handCursor(bool held)
{
    QImage image = blank(32, 32);
    QPainter p(&image);
    begin(p);
    drawHand(p, held);
    return image;
}

// ---- Magnifier, in a 32-unit square, lens centre at (12, 12) ----

enum class Sign { Plus, Minus };

void drawMagnifier(QPainter& p, Sign sign, bool held)
{
    const QPointF centre(12, 12);
    const double shadeFactor = held ? 0.8 : 1.0;
    p.save();
    if (held) {
        // Pressed in: a little smaller and turned.
        p.translate(centre);
        p.rotate(-10);
        p.scale(0.92, 0.92);
        p.translate(-centre);
    }
    // Handle and collar.
    p.setPen(QPen(kOutline, 6.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.5, 19.5), QPointF(28.0, 28.0));
    p.setPen(QPen(dim(QColor(112, 74, 44), shadeFactor), 4.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.5, 19.5), QPointF(28.0, 28.0));
    p.setPen(QPen(dim(QColor(170, 120, 80), shadeFactor), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20.8, 20.0), QPointF(27.2, 26.4));
    p.setPen(QPen(kOutline, 5.6, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(17.6, 17.6), QPointF(20.2, 20.2));
    p.setPen(QPen(dim(QColor(190, 200, 210), shadeFactor), 3.8, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(17.8, 17.8), QPointF(20.0, 20.0));
    // Glass.
    QRadialGradient glass(centre - QPointF(2.5, 2.5), 10);
    glass.setColorAt(0, held ? QColor(150, 196, 232, 230) : QColor(226, 244, 255, 215));
    glass.setColorAt(1, held ? QColor(70, 130, 190, 230) : QColor(140, 198, 236, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(glass);
    p.drawEllipse(centre, 7.4, 7.4);
    // Rim.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kOutline, 4.6));
    p.drawEllipse(centre, 8.6, 8.6);
    QLinearGradient metal(QPointF(4, 4), QPointF(20, 20));
    metal.setColorAt(0, dim(QColor(245, 248, 252), shadeFactor));
    metal.setColorAt(1, dim(QColor(120, 134, 150), shadeFactor));
    p.setPen(QPen(QBrush(metal), 2.4));
    p.drawEllipse(centre, 8.6, 8.6);
    // Reflection on the glass.
    p.setPen(QPen(QColor(255, 255, 255, 190), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(centre.x() - 5.2, centre.y() - 5.2, 10.4, 10.4), 100 * 16, 70 * 16);
    // The sign.
    const QColor signColour = held ? QColor(250, 252, 255) : QColor(24, 60, 110);
    p.setPen(QPen(held ? kOutline : QColor(255, 255, 255, 160), 4.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.2, 12), QPointF(15.8, 12));
    if (sign == Sign::Plus)
        p.drawLine(QPointF(12, 8.2), QPointF(12, 15.8));
    p.setPen(QPen(signColour, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.2, 12), QPointF(15.8, 12));
    if (sign == Sign::Plus)
        p.drawLine(QPointF(12, 8.2), QPointF(12, 15.8));
    p.restore();
}

QImage magnifierCursor(Sign sign, bool held)
{
    QImage image = blank(32, 32);
    QPainter p(&image);
    begin(p);
    drawMagnifier(p, sign, held);
    return image;
}

// ---- Menu icons, 24 units ----

// The cursor drawings scaled down into a 24-pixel icon.
template <typename Draw>
QImage iconFromCursorDrawing(double dx, double dy, Draw draw)
{
    QImage image = blank(24, 24);
    QPainter p(&image);
    begin(p);
    p.translate(dx, dy);
    p.scale(0.75, 0.75);
    draw(p);
    return image;
}

QImage fishIcon()
{
    QImage image = blank(24, 24);
    QPainter p(&image);
    begin(p);
    // Body facing left, tail at the right.
    QPainterPath fish;
    fish.moveTo(1.8, 13.5);
    fish.cubicTo(4.0, 7.2, 12.0, 7.0, 15.5, 12.2);
    fish.lineTo(19.6, 9.4);
    fish.quadTo(18.4, 13.5, 19.6, 17.6);
    fish.lineTo(15.5, 14.8);
    fish.cubicTo(12.0, 20.0, 4.0, 19.8, 1.8, 13.5);
    fish.closeSubpath();
    p.setPen(outline(1.0));
    p.setBrush(litGradient(QRectF(2, 7, 17, 12), QColor(255, 196, 80), QColor(236, 96, 16)));
    p.drawPath(fish);
    // A white band and the eye.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    p.drawRoundedRect(QRectF(8.0, 8.6, 2.2, 9.8), 1.1, 1.1);
    p.setBrush(kOutline);
    p.drawEllipse(QPointF(5.0, 12.3), 1.1, 1.1);
    // Plus and minus badges.
    auto badge = [&](QPointF c, QColor light, QColor dark, bool plus) {
        p.setPen(outline(1.0));
        p.setBrush(litGradient(QRectF(c.x() - 4, c.y() - 4, 8, 8), light, dark));
        p.drawEllipse(c, 3.8, 3.8);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c - QPointF(2.0, 0), c + QPointF(2.0, 0));
        if (plus)
            p.drawLine(c - QPointF(0, 2.0), c + QPointF(0, 2.0));
    };
    badge(QPointF(19.6, 4.3), QColor(120, 220, 110), QColor(30, 140, 50), true);
    badge(QPointF(19.6, 19.7), QColor(255, 120, 110), QColor(190, 30, 40), false);
    return image;
}

QImage noteIcon()
{
    QImage image = blank(24, 24);
    QPainter p(&image);
    begin(p);
    QPainterPath note;
    auto head = [&](QPointF c) {
        QPainterPath h;
        h.addEllipse(QPointF(0, 0), 3.5, 2.6);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(-22);
        return t.map(h);
    };
    note.addPath(head(QPointF(6.2, 18.6)));
    note.addPath(head(QPointF(16.6, 16.4)));
    QPainterPath stems;
    stems.addRect(QRectF(8.6, 4.6, 1.7, 13.6));
    stems.addRect(QRectF(19.0, 2.4, 1.7, 13.6));
    QPainterPath beam;
    beam.moveTo(8.6, 4.0);
    beam.lineTo(20.7, 1.6);
    beam.lineTo(20.7, 5.2);
    beam.lineTo(8.6, 7.6);
    beam.closeSubpath();
    note = note.united(stems).united(beam).simplified();
    p.setPen(outline(1.0));
    p.setBrush(litGradient(QRectF(2, 1, 20, 22), QColor(140, 150, 255), QColor(44, 44, 170)));
    p.drawPath(note);
    return image;
}

QImage frameIcon()
{
    QImage image = blank(24, 24);
    QPainter p(&image);
    begin(p);
    const QRectF outer(1.5, 3.0, 21.0, 18.0);
    const QRectF inner(4.8, 6.3, 14.4, 11.4);
    p.setPen(outline(1.0));
    p.setBrush(litGradient(outer, QColor(226, 168, 96), QColor(126, 78, 30)));
    p.drawRoundedRect(outer, 1.5, 1.5);
    // The picture: sky, sun, two hills.
    p.save();
    p.setClipRect(inner);
    QLinearGradient sky(inner.topLeft(), inner.bottomLeft());
    sky.setColorAt(0, QColor(120, 200, 255));
    sky.setColorAt(1, QColor(220, 244, 255));
    p.fillRect(inner, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 60));
    p.drawEllipse(QPointF(15.6, 9.6), 1.9, 1.9);
    QPainterPath hills;
    hills.moveTo(inner.left(), inner.bottom());
    hills.lineTo(inner.left(), 14.5);
    hills.quadTo(8.5, 10.8, 12.5, 14.2);
    hills.quadTo(15.5, 12.2, inner.right(), 14.8);
    hills.lineTo(inner.right(), inner.bottom());
    hills.closeSubpath();
    p.setBrush(litGradient(inner, QColor(120, 210, 90), QColor(40, 130, 50)));
    p.drawPath(hills);
    p.restore();
    p.setPen(QPen(QColor(22, 30, 42, 200), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawRect(inner);
    return image;
}

QImage doorIcon()
{
    QImage image = blank(24, 24);
    QPainter p(&image);
    begin(p);
    // Frame, dark doorway, the door swung open towards the viewer.
    p.setPen(outline(1.0));
    p.setBrush(litGradient(QRectF(3, 2, 12, 20), QColor(120, 130, 140), QColor(60, 66, 74)));
    p.drawRect(QRectF(3.0, 2.0, 11.5, 20.0));
    p.setBrush(QColor(28, 34, 46));
    p.drawRect(QRectF(4.8, 3.8, 7.9, 18.2));
    QPainterPath door;
    door.moveTo(4.8, 3.8);
    door.lineTo(10.6, 5.6);
    door.lineTo(10.6, 22.8);
    door.lineTo(4.8, 22.0);
    door.closeSubpath();
    p.setBrush(litGradient(QRectF(4.8, 3.8, 6, 19), QColor(214, 150, 84), QColor(130, 76, 30)));
    p.drawPath(door);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 214, 60));
    p.drawEllipse(QPointF(9.4, 13.6), 0.9, 0.9);
    // The way out.
    QPainterPath arrow;
    arrow.moveTo(12.5, 10.6);
    arrow.lineTo(17.0, 10.6);
    arrow.lineTo(17.0, 7.4);
    arrow.lineTo(22.6, 12.5);
    arrow.lineTo(17.0, 17.6);
    arrow.lineTo(17.0, 14.4);
    arrow.lineTo(12.5, 14.4);
    arrow.closeSubpath();
    p.setPen(outline(1.0));
    p.setBrush(litGradient(QRectF(12, 7, 11, 11), QColor(130, 230, 120), QColor(30, 150, 60)));
    p.drawPath(arrow);
    return image;
}

QImage switchIcon(bool on)
{
    QImage image = blank(24, 24);
    QPainter p(&image);
    begin(p);
    const QRectF track(1.0, 6.0, 22.0, 12.0);
    p.setPen(outline(1.0));
    if (on)
        p.setBrush(litGradient(track, QColor(120, 226, 120), QColor(28, 150, 56)));
    else
        p.setBrush(litGradient(track, QColor(206, 210, 216), QColor(132, 140, 150)));
    p.drawRoundedRect(track, 6.0, 6.0);
    // The mark on the free side: "I" when on, "O" when off.
    if (on) {
        p.setPen(QPen(QColor(255, 255, 255, 230), 1.3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(6.6, 9.6), QPointF(6.6, 14.4));
    } else {
        p.setPen(QPen(QColor(80, 88, 98), 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(17.2, 12.0), 2.2, 2.2);
    }
    const QPointF knob(on ? 17.0 : 7.0, 12.0);
    QRadialGradient g(knob - QPointF(1.5, 1.5), 6);
    g.setColorAt(0, QColor(255, 255, 255));
    g.setColorAt(1, QColor(196, 202, 210));
    p.setPen(outline(1.0));
    p.setBrush(g);
    p.drawEllipse(knob, 4.9, 4.9);
    return image;
}

// ---- Application icon, 256 units ----

QImage applicationIcon(int size)
{
    QImage image = blank(size, size);
    QPainter p(&image);
    begin(p);
    p.scale(size / 256.0, size / 256.0);
    const QRectF square(8, 8, 240, 240);
    QPainterPath rounded;
    rounded.addRoundedRect(square, 54, 54);

    QLinearGradient water(square.topLeft(), square.bottomLeft());
    water.setColorAt(0, QColor(92, 206, 250));
    water.setColorAt(0.55, QColor(28, 120, 210));
    water.setColorAt(1, QColor(12, 60, 150));
    p.setPen(Qt::NoPen);
    p.setBrush(water);
    p.drawPath(rounded);

    p.save();
    p.setClipPath(rounded);
    // Light shafts and a sandy floor.
    for (int i = 0; i < 3; ++i) {
        QPainterPath shaft;
        const double x = 60 + i * 62;
        shaft.moveTo(x, 0);
        shaft.lineTo(x + 26, 0);
        shaft.lineTo(x + 80, 256);
        shaft.lineTo(x + 30, 256);
        shaft.closeSubpath();
        p.setBrush(QColor(255, 255, 255, 26));
        p.drawPath(shaft);
    }
    QPainterPath sand;
    sand.moveTo(0, 256);
    sand.lineTo(0, 214);
    sand.quadTo(90, 196, 150, 212);
    sand.quadTo(210, 226, 256, 204);
    sand.lineTo(256, 256);
    sand.closeSubpath();
    p.setBrush(litGradient(QRectF(0, 196, 256, 60), QColor(244, 220, 160), QColor(200, 160, 96)));
    p.drawPath(sand);
    p.restore();

    // The fish, facing left; at the smallest sizes larger and with a bolder outline so it
    // still reads.
    const double line = size <= 16 ? 16 : (size <= 32 ? 10 : 7);
    if (size <= 16) {
        p.translate(128, 128);
        p.scale(1.18, 1.18);
        p.translate(-122, -128);
    }
    const QPen fishPen(QColor(10, 36, 70), line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    QPainterPath body;
    body.moveTo(44, 128);
    body.cubicTo(62, 68, 146, 70, 172, 124);
    body.lineTo(214, 88);
    body.quadTo(200, 130, 214, 172);
    body.lineTo(172, 134);
    body.cubicTo(146, 188, 62, 188, 44, 128);
    body.closeSubpath();
    QPainterPath dorsal;
    dorsal.moveTo(90, 88);
    dorsal.quadTo(118, 50, 150, 84);
    dorsal.closeSubpath();
    p.setPen(fishPen);
    p.setBrush(litGradient(QRectF(90, 50, 60, 40), QColor(255, 170, 60), QColor(220, 80, 10)));
    p.drawPath(dorsal);
    p.setBrush(litGradient(QRectF(44, 70, 170, 110), QColor(255, 204, 90), QColor(236, 92, 12)));
    p.drawPath(body);
    // One white band with a dark edge, clipped to the body.
    p.save();
    p.setClipPath(body);
    p.setPen(QPen(QColor(10, 36, 70), line * 0.85));
    p.setBrush(QColor(255, 255, 255));
    p.drawRoundedRect(QRectF(104, 60, 26, 140), 13, 13);
    p.restore();
    p.setPen(fishPen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    // Eye.
    p.setPen(QPen(QColor(10, 36, 70), 4));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(78, 116), 14, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(10, 36, 70));
    p.drawEllipse(QPointF(74, 117), 7.5, 7.5);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(71, 113), 2.8, 2.8);
    if (size < 32)
        return image;
    // Bubbles.
    for (const auto& b : {std::pair{QPointF(64, 62), 13.0}, std::pair{QPointF(40, 34), 8.0},
                          std::pair{QPointF(70, 28), 6.0}}) {
        p.setPen(QPen(QColor(255, 255, 255, 220), 5));
        p.setBrush(QColor(255, 255, 255, 40));
        p.drawEllipse(b.first, b.second, b.second);
    }
    return image;
}

QImage finish(const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); }

CursorPicture cursor(int id, const QImage& image, QPoint hotSpot)
{
    CursorPicture c;
    c.id = id;
    c.image = finish(image);
    c.hotSpot = hotSpot;
    c.image.setText(varlen::kCursorHotSpotKey, QStringLiteral("%1,%2").arg(hotSpot.x()).arg(hotSpot.y()));
    return c;
}

} // namespace

std::vector<CursorPicture> drawCursors()
{
    return {
        cursor(158, handCursor(false), QPoint(11, 1)),
        cursor(159, handCursor(true), QPoint(11, 1)),
        cursor(163, shakerCursor(false), QPoint(8, 27)),
        cursor(164, shakerCursor(true), QPoint(8, 27)),
        cursor(167, magnifierCursor(Sign::Plus, false), QPoint(12, 12)),
        cursor(177, magnifierCursor(Sign::Plus, true), QPoint(12, 12)),
        cursor(169, magnifierCursor(Sign::Minus, false), QPoint(12, 12)),
        cursor(178, magnifierCursor(Sign::Minus, true), QPoint(12, 12)),
    };
}

std::vector<IconPicture> drawMenuIcons()
{
    std::vector<IconPicture> icons;
    auto add = [&](int id, const QImage& image) { icons.push_back({QString::number(id), finish(image)}); };
    add(133, iconFromCursorDrawing(0, 0, [](QPainter& p) {
            drawShaker(p, QPointF(20, 12), -135, 1.0);
            drawFlakes(p, {{10.5, 23.5, 20, QColor(255, 140, 40)}, {6.5, 27.0, -30, QColor(120, 200, 80)},
                           {11.5, 28.6, 45, QColor(230, 60, 50)}},
                       1.0);
        }));
    add(160, iconFromCursorDrawing(1.5, 0.5, [](QPainter& p) { drawHand(p, false); }));
    add(134, iconFromCursorDrawing(1, 1, [](QPainter& p) { drawMagnifier(p, Sign::Plus, false); }));
    add(135, iconFromCursorDrawing(1, 1, [](QPainter& p) { drawMagnifier(p, Sign::Minus, false); }));
    add(180, fishIcon());
    add(253, noteIcon());
    add(232, frameIcon());
    add(175, doorIcon());
    add(183, switchIcon(false));
    add(184, switchIcon(true));
    return icons;
}

std::vector<IconPicture> drawApplicationIcons()
{
    std::vector<IconPicture> icons;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icons.push_back({QStringLiteral("app-%1").arg(size), finish(applicationIcon(size))});
    return icons;
}

} // namespace assetgen
