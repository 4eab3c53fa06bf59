#include "Preview.h"

#include "FishSkins.h"

#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace assetgen {

namespace {

const QColor kSheet(34, 38, 46);
const QColor kLabel(226, 230, 236);
const QColor kWater(30, 90, 140);
const QColor kMenuStrip(219, 216, 209);
const QColor kMenuText(247, 248, 249);

QImage toImage(const Canvas& canvas)
{
    const std::vector<uint8_t> rgb = canvas.toRgb8();
    return QImage(rgb.data(), canvas.width(), canvas.height(), canvas.width() * 3, QImage::Format_RGB888)
        .convertToFormat(QImage::Format_RGB32);
}

QImage sheet(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kSheet);
    return image;
}

void label(QPainter& p, QRectF box, const QString& text, int pixelSize = 13)
{
    QFont font;
    font.setPixelSize(pixelSize);
    p.setFont(font);
    p.setPen(kLabel);
    p.drawText(box, Qt::AlignCenter, text);
}

QImage skinSheet(const Artwork& art)
{
    constexpr int kCell = 2 * kSkinSize;
    constexpr int kPad = 12;
    constexpr int kText = 22;
    QImage image = sheet(5 * (kCell + kPad) + kPad, 5 * (kCell + kPad + kText) + kPad);
    QPainter p(&image);
    for (int s = 0; s < static_cast<int>(art.skins.size()); ++s) {
        const int x = kPad + (s % 5) * (kCell + kPad);
        const int y = kPad + (s / 5) * (kCell + kPad + kText);
        p.drawImage(QRect(x, y, kCell, kCell), toImage(art.skins[s]));
        label(p, QRectF(x, y + kCell, kCell, kText), QStringLiteral("fish%1  %2").arg(s).arg(speciesName(s)));
    }
    return image;
}

// A rough side view of a fish wearing the skin: body from the nose to the tail base takes
// u 0 .. 0.8 and v 0.13 .. 0.88, the dorsal and ventral fins the bands above and below,
// the tail u 0.8 .. 1. Only an impression of the 3D model's mapping.
QImage wornSkin(const Canvas& skin, bool deepBodied)
{
    constexpr int kW = 240, kH = 130;
    constexpr double kPi = 3.14159265358979323846;
    const double cy = kH / 2.0;
    const double depth = deepBodied ? 52 : 36;
    QImage image(kW, kH, QImage::Format_RGB32);
    auto texel = [&](double u, double v) {
        const int x = std::clamp(static_cast<int>(u * skin.width()), 0, skin.width() - 1);
        const int y = std::clamp(static_cast<int>(v * skin.height()), 0, skin.height() - 1);
        return skin.at(x, y);
    };
    for (int py = 0; py < kH; ++py) {
        for (int px = 0; px < kW; ++px) {
            Rgb sum;
            for (int sub = 0; sub < 4; ++sub) {
                const double X = px + 0.25 + 0.5 * (sub % 2);
                const double Y = py + 0.25 + 0.5 * (sub / 2);
                Rgb c = rgb8(30, 90, 140);
                const double t = (X - 12) / 168;
                const double dy = Y - cy;
                if (t >= 0 && t <= 1) {
                    const double half = depth * std::pow(std::sin(kPi * (0.08 + 0.92 * std::pow(t, 0.8))), 0.7);
                    const double dorsal = deepBodied ? 30 * std::sin(kPi * std::clamp((t - 0.25) / 0.6, 0.0, 1.0))
                                                     : 16 * std::sin(kPi * std::clamp((t - 0.35) / 0.4, 0.0, 1.0));
                    const double ventral = deepBodied ? 26 * std::sin(kPi * std::clamp((t - 0.35) / 0.5, 0.0, 1.0))
                                                      : 10 * std::sin(kPi * std::clamp((t - 0.5) / 0.25, 0.0, 1.0));
                    if (std::abs(dy) <= half) {
                        const double across = dy / half;
                        c = texel(t * 0.8, 0.13 + (across + 1) / 2 * 0.75);
                        c = c * (0.72 + 0.38 * std::sqrt(1 - across * across) - 0.12 * across);
                    } else if (dy < 0 && -dy <= half + dorsal && dorsal > 0) {
                        c = texel(t * 0.8, 0.13 * (1 - (-dy - half) / dorsal)) * 0.95;
                    } else if (dy > 0 && dy <= half + ventral && ventral > 0) {
                        c = texel(t * 0.8, 0.88 + 0.12 * (dy - half) / ventral) * 0.9;
                    }
                }
                const double s = (X - 176) / 56;
                const double spread = 8 + 40 * s - 14 * std::max(0.0, s - 0.7) * (1 - std::abs(dy) / 48);
                if (s >= 0 && s <= 1 && std::abs(dy) <= spread)
                    c = texel(0.8 + 0.2 * s, 0.5 + dy / (2 * std::max(spread, 1.0)) * 0.98) * 0.95;
                sum = sum + c;
            }
            const Rgb c = sum * 0.25;
            image.setPixel(px, py, qRgb(std::lround(clamp01(c.r) * 255), std::lround(clamp01(c.g) * 255),
                                        std::lround(clamp01(c.b) * 255)));
        }
    }
    return image;
}

QImage wornSheet(const Artwork& art)
{
    constexpr int kPad = 10, kText = 20, kCellW = 240, kCellH = 130;
    QImage image = sheet(5 * (kCellW + kPad) + kPad, 5 * (kCellH + kPad + kText) + kPad);
    QPainter p(&image);
    for (int s = 0; s < static_cast<int>(art.skins.size()); ++s) {
        const int x = kPad + (s % 5) * (kCellW + kPad);
        const int y = kPad + (s / 5) * (kCellH + kPad + kText);
        p.drawImage(x, y, wornSkin(art.skins[s], s >= 10 && s <= 14));
        label(p, QRectF(x, y + kCellH, kCellW, kText), QStringLiteral("fish%1  %2").arg(s).arg(speciesName(s)));
    }
    return image;
}

QImage bubbleSheet(const Artwork& art)
{
    const QImage bubble = toImage(*art.bubble);
    QImage image(512, 256, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.drawImage(QRect(0, 0, 256, 256), bubble);
    // As the scene shows it: added onto the water.
    p.fillRect(QRect(256, 0, 256, 256), kWater);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(320, 64, 128, 128), bubble);
    p.drawImage(QRect(280, 24, 32, 32), bubble);
    p.drawImage(QRect(460, 200, 20, 20), bubble);
    return image;
}

QImage pictogramSheet(const Artwork& art)
{
    QImage image = sheet(1120, 620);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Cursors: four times enlarged on water with the hot spot ringed, then actual size.
    for (size_t i = 0; i < art.cursors.size(); ++i) {
        const CursorPicture& c = art.cursors[i];
        const int x = 12 + static_cast<int>(i) * 138;
        p.fillRect(x, 12, 128, 128, kWater);
        p.drawImage(QRect(x, 12, 128, 128), c.image);
        p.setPen(QPen(QColor(255, 60, 60), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(x + c.hotSpot.x() * 4 + 2, 12 + c.hotSpot.y() * 4 + 2), 4, 4);
        p.fillRect(x, 146, 40, 40, kWater);
        p.drawImage(x + 4, 150, c.image);
        p.fillRect(x + 44, 146, 40, 40, QColor(240, 240, 240));
        p.drawImage(x + 48, 150, c.image);
        label(p, QRectF(x, 188, 128, 18), QStringLiteral("cursor %1").arg(c.id));
    }
    // Menu and switch icons: enlarged, then in a menu-like strip at actual size.
    for (size_t i = 0; i < art.icons.size(); ++i) {
        const IconPicture& icon = art.icons[i];
        const int x = 12 + static_cast<int>(i) * 110;
        p.fillRect(x, 216, 96, 96, kMenuStrip);
        p.drawImage(QRect(x, 216, 96, 96), icon.image);
        p.fillRect(x, 318, 30, 30, kMenuStrip);
        p.drawImage(x + 3, 321, icon.image);
        p.fillRect(x + 30, 318, 66, 30, kMenuText);
        label(p, QRectF(x, 350, 96, 18), QStringLiteral("icon %1").arg(icon.name));
    }
    // Application icon at every size.
    int x = 12;
    for (const IconPicture& icon : art.appIcons) {
        p.drawImage(x, 610 - icon.image.height(), icon.image);
        x += icon.image.width() + 16;
    }
    return image;
}

bool save(const QImage& image, const QString& path)
{
    if (image.save(path, "png"))
        return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

bool writePreviews(const Artwork& art, const QString& directory)
{
    if (!QDir().mkpath(directory + "/plain")) {
        std::fprintf(stderr, "assetgen: cannot create %s/plain\n", qPrintable(directory));
        return false;
    }
    bool ok = true;
    const QImage skins = skinSheet(art);
    const QImage background = toImage(*art.background);
    const QImage bubbles = bubbleSheet(art);
    const QImage pictograms = pictogramSheet(art);
    const QImage worn = wornSheet(art);
    ok &= save(skins, directory + "/skins.png");
    ok &= save(worn, directory + "/skins-worn.png");
    ok &= save(background, directory + "/background.png");
    ok &= save(bubbles, directory + "/bubble.png");
    ok &= save(pictograms, directory + "/pictograms.png");

    // Everything on one page.
    const int width = skins.width();
    const int backgroundHeight = background.height() * width / background.width();
    QImage all = sheet(width, backgroundHeight + skins.height() + worn.height() + pictograms.height() + 60);
    QPainter p(&all);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(0, 0, width, backgroundHeight), background);
    p.drawImage(QRect(width - 268, backgroundHeight - 140, 256, 128), bubbles);
    p.drawImage(0, backgroundHeight + 20, skins);
    p.drawImage((width - worn.width()) / 2, backgroundHeight + 40 + skins.height(), worn);
    p.drawImage(0, backgroundHeight + 60 + skins.height() + worn.height(), pictograms);
    p.end();
    ok &= save(all, directory + "/contact-sheet.png");

    for (size_t s = 0; s < art.skins.size(); ++s)
        ok &= writeFile(QStringLiteral("%1/plain/fish%2.bmp").arg(directory).arg(s).toStdString(), encodeBmp24(art.skins[s]));
    ok &= writeFile((directory + "/plain/BackGround0.bmp").toStdString(), encodeBmp24(*art.background));
    ok &= writeFile((directory + "/plain/Particle1.bmp").toStdString(), encodeBmp24(*art.bubble));
    ok &= writeFile((directory + "/plain/Music.wav").toStdString(), encodeWav(art.music));
    return ok;
}

} // namespace assetgen
