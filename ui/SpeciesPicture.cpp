#include "SpeciesPicture.h"

#include "AssetKey.h"
#include "FishCountGrid.h"
#include "ResourceImages.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kPictureWidth = 500;
constexpr int kPictureHeight = 512;
constexpr int kSpeciesPictureId = 129;
constexpr int kFirstSkinId = 10000;

const char* const kSpeciesNames[FishCountGrid::kSpecies] = {
    "Clownfish",        "Blue tang",      "Yellow tang",      "Neon tetra",        "Goldfish",
    "Zebra danio",      "Koi",            "Betta",            "Guppy",             "Rainbowfish",
    "Angelfish",        "Discus",         "Moorish idol",     "Copperband",        "Emperor angel",
    "Mandarin",         "Lionfish",       "Tiger barb",       "Cherry barb",       "Pufferfish",
    "Harlequin",        "Royal gramma",   "Clown loach",      "Oscar",             "Damselfish",
};

// Species 10..14 swim on the taller body.
bool deepBodied(int species) { return species >= 10 && species <= 14; }

// Side view facing left: nose at the left, tail fin at the right, in a box of w x h.
QPainterPath fishOutline(double w, double h, bool deep)
{
    const double bodyEnd = w * 0.78;   // where the tail stalk is narrowest
    const double midY = h / 2;
    const double bodyHalf = deep ? h * 0.42 : h * 0.30;
    const double stalkHalf = h * 0.07;

    QPainterPath body;
    body.moveTo(0, midY);
    body.cubicTo(w * 0.05, midY - bodyHalf * 0.9, w * 0.30, midY - bodyHalf * 1.05, w * 0.50, midY - bodyHalf);
    body.cubicTo(w * 0.65, midY - bodyHalf * 0.9, bodyEnd - w * 0.05, midY - stalkHalf * 1.5, bodyEnd, midY - stalkHalf);
    // Tail fin: a forked fan.
    body.lineTo(w, midY - h * (deep ? 0.38 : 0.32));
    body.quadTo(w * 0.92, midY, w, midY + h * (deep ? 0.38 : 0.32));
    body.lineTo(bodyEnd, midY + stalkHalf);
    body.cubicTo(bodyEnd - w * 0.05, midY + stalkHalf * 1.5, w * 0.65, midY + bodyHalf * 0.9, w * 0.50, midY + bodyHalf);
    body.cubicTo(w * 0.30, midY + bodyHalf * 1.05, w * 0.05, midY + bodyHalf * 0.9, 0, midY);
    body.closeSubpath();

    // Dorsal and anal fins.
    QPainterPath fins;
    const double finTop = deep ? midY - h * 0.50 : midY - bodyHalf - h * 0.12;
    fins.moveTo(w * 0.30, midY - bodyHalf * 0.95);
    fins.quadTo(w * 0.42, finTop, w * 0.66, midY - bodyHalf * 0.80);
    fins.closeSubpath();
    const double finBottom = deep ? midY + h * 0.50 : midY + bodyHalf + h * 0.08;
    fins.moveTo(w * 0.48, midY + bodyHalf * 0.95);
    fins.quadTo(w * 0.58, finBottom, w * 0.70, midY + bodyHalf * 0.70);
    fins.closeSubpath();
    return body.united(fins);
}

void paintWater(QPainter& p)
{
    QLinearGradient water(0, 0, 0, kPictureHeight);
    water.setColorAt(0.0, QColor(120, 190, 215));
    water.setColorAt(0.55, QColor(40, 105, 160));
    water.setColorAt(1.0, QColor(20, 60, 110));
    p.fillRect(QRect(0, 0, kPictureWidth, kPictureHeight), water);

    // Sandy floor below the grid.
    const int floorTop = FishCountGrid::kGridBottom + 2;
    QLinearGradient sand(0, floorTop, 0, kPictureHeight);
    sand.setColorAt(0.0, QColor(214, 196, 150));
    sand.setColorAt(1.0, QColor(170, 148, 104));
    p.fillRect(QRect(0, floorTop, kPictureWidth, kPictureHeight - floorTop), sand);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(QColor(150, 128, 88, 140), 1.5));
    for (int i = 0; i < 4; ++i) {
        QPainterPath ripple;
        const double y = floorTop + 12 + i * 12;
        ripple.moveTo(0, y);
        for (int x = 0; x < kPictureWidth; x += 40)
            ripple.quadTo(x + 20, y - 4 + (i % 2) * 2, x + 40, y);
        p.drawPath(ripple);
    }
    // A few rounded stones and weed tufts.
    const struct { int x, y, w, h; QColor c; } stones[] = {
        {40, floorTop + 30, 34, 18, QColor(120, 118, 112)},
        {210, floorTop + 38, 26, 14, QColor(140, 132, 120)},
        {400, floorTop + 26, 40, 22, QColor(105, 104, 100)},
    };
    p.setPen(Qt::NoPen);
    for (const auto& s : stones) {
        QRadialGradient g(s.x + s.w * 0.35, s.y + s.h * 0.3, s.w * 0.8);
        g.setColorAt(0, s.c.lighter(140));
        g.setColorAt(1, s.c.darker(130));
        p.setBrush(g);
        p.drawEllipse(QRectF(s.x, s.y, s.w, s.h));
    }
    p.setPen(QPen(QColor(40, 110, 60), 3, Qt::SolidLine, Qt::RoundCap));
    for (int blade = 0; blade < 7; ++blade) {
        QPainterPath weed;
        const double base = 120 + blade * 5;
        weed.moveTo(base, kPictureHeight);
        weed.cubicTo(base - 8, kPictureHeight - 20, base + 8, kPictureHeight - 35, base - 3 + blade, floorTop + 4);
        p.drawPath(weed);
    }
}

void paintCell(QPainter& p, int species)
{
    const QRect cell = FishCountGrid::cellBounds(species);

    // A faint frame keeps the cells apart.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(255, 255, 255, 60));
    p.setBrush(Qt::NoBrush);
    p.drawRect(cell.adjusted(0, 0, -1, -1));

    const bool deep = deepBodied(species);
    const double w = deep ? 62 : 74;
    const double h = deep ? 50 : 36;
    const QPointF origin(cell.left() + (cell.width() - w) / 2 + 4, cell.top() + 16 + (50 - h) / 2);
    const QPainterPath outline = fishOutline(w, h, deep).translated(origin);

    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const QImage skin = speciesSkin(species);
    p.save();
    p.setClipPath(outline);
    if (!skin.isNull())
        p.drawImage(QRectF(origin, QSizeF(w, h)), skin);
    else
        p.fillPath(outline, QColor(150, 150, 150));
    // Light from above: a soft sheen on the back, shade toward the belly.
    QLinearGradient shade(origin, origin + QPointF(0, h));
    shade.setColorAt(0.0, QColor(255, 255, 255, 50));
    shade.setColorAt(0.5, QColor(255, 255, 255, 0));
    shade.setColorAt(1.0, QColor(0, 0, 0, 60));
    p.fillRect(QRectF(origin, QSizeF(w, h)), shade);
    p.restore();
    p.setPen(QPen(QColor(20, 30, 40, 170), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);

    // Eye in the front third, upper half.
    const QPointF eye = origin + QPointF(w * 0.13, h * (deep ? 0.40 : 0.42));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(250, 250, 240));
    p.drawEllipse(eye, 3.2, 3.2);
    p.setBrush(QColor(15, 15, 20));
    p.drawEllipse(eye, 2.0, 2.0);
    p.setBrush(QColor(255, 255, 255, 220));
    p.drawEllipse(eye + QPointF(-0.7, -0.8), 0.7, 0.7);

    // The name along the bottom of the cell.
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(10);
    p.setFont(f);
    const QRect nameRect(cell.left(), cell.bottom() - 17, cell.width(), 14);
    p.setPen(QColor(0, 20, 40, 160));
    p.drawText(nameRect.translated(1, 1), Qt::AlignHCenter | Qt::AlignVCenter, QString::fromLatin1(kSpeciesNames[species]));
    p.setPen(QColor(245, 250, 255));
    p.drawText(nameRect, Qt::AlignHCenter | Qt::AlignVCenter, QString::fromLatin1(kSpeciesNames[species]));
}

} // namespace

const char* speciesName(int species)
{
    return species >= 0 && species < FishCountGrid::kSpecies ? kSpeciesNames[species] : "";
}

QImage speciesSkin(int species)
{
    if (species < 0 || species >= FishCountGrid::kSpecies)
        return {};
    QFile file(QStringLiteral(":/RCAD/%1").arg(kFirstSkinId + species));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    // Byte n (counted from 1) was lowered by key[n % 50] when stored.
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const qsizetype n = i + 1;
        bytes[i] = static_cast<char>(static_cast<unsigned char>(bytes[i]) + varlen::kAssetKey[n % 50]);
    }
    QImage skin;
    skin.loadFromData(bytes, "BMP");
    return skin;
}

QImage paintSpeciesPicture()
{
    QImage picture(kPictureWidth, kPictureHeight, QImage::Format_RGB32);
    QPainter p(&picture);
    paintWater(p);
    for (int species = 0; species < FishCountGrid::kSpecies; ++species)
        paintCell(p, species);
    return picture;
}

QPixmap speciesPicture()
{
    const QPixmap stored = resourcePixmap(kSpeciesPictureId);
    if (!stored.isNull())
        return stored;
    return QPixmap::fromImage(paintSpeciesPicture());
}
