#include "ResourceImages.h"

#include "ResourceStore.h"

#include <QImage>
#include <QStringList>

namespace {

// The hot spot written next to the picture, or the picture's centre when it has none.
QPoint hotSpotOf(const QImage& image)
{
    const QStringList parts = image.text(QString::fromLatin1(varlen::kCursorHotSpotKey)).split(u',');
    if (parts.size() == 2) {
        bool okX = false;
        bool okY = false;
        const int x = parts[0].toInt(&okX);
        const int y = parts[1].toInt(&okY);
        if (okX && okY && x >= 0 && y >= 0 && x < image.width() && y < image.height())
            return QPoint(x, y);
    }
    return QPoint(image.width() / 2, image.height() / 2);
}

} // namespace

QCursor resourceCursor(int id)
{
    const QImage image(varlen::cursorResourcePath(id));
    if (image.isNull())
        return QCursor(Qt::ArrowCursor);
    const QPoint hotSpot = hotSpotOf(image);
    return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

QPixmap resourcePixmap(int id)
{
    QPixmap pixmap(varlen::iconResourcePath(id));
    if (pixmap.isNull())
        pixmap.load(varlen::cursorResourcePath(id));
    return pixmap;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(varlen::applicationIconResourcePath(size), QSize(size, size));
    return icon;
}
