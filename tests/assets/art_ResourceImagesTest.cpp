#include "ResourceImages.h"
#include "TestApplication.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include <ostream>

namespace {

// Cursors and pixmaps need an application object; no display is needed.
void ensureGuiApplication()
{
    if (!QGuiApplication::instance() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testApplication<QGuiApplication>();
}

} // namespace

struct CursorCase {
    int id;
    int twin; // the other picture of the same mode
    QPoint hotSpot;
};

void PrintTo(const CursorCase& c, std::ostream* os)
{
    *os << "cursor " << c.id << " hot spot " << c.hotSpot.x() << "," << c.hotSpot.y();
}

class ResourceCursor : public testing::TestWithParam<CursorCase> {
protected:
    void SetUp() override { ensureGuiApplication(); }
};

TEST_P(ResourceCursor, is32x32WithAlphaAndItsHotSpot)
{
    const CursorCase c = GetParam();
    const QCursor cursor = resourceCursor(c.id);
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    const QImage image = cursor.pixmap().toImage();
    EXPECT_EQ(image.size(), QSize(32, 32));
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(cursor.hotSpot(), c.hotSpot);
    // The pointing pixel is part of the drawing or right at its tip, never lost in the
    // transparent margin far from it.
    int nearest = 99;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            if (qAlpha(image.pixel(x, y)) > 128)
                nearest = std::min(nearest, std::abs(x - c.hotSpot.x()) + std::abs(y - c.hotSpot.y()));
    EXPECT_LE(nearest, 3);
}

TEST_P(ResourceCursor, looksDifferentFromItsTwin)
{
    const CursorCase c = GetParam();
    EXPECT_NE(resourceCursor(c.id).pixmap().toImage(), resourceCursor(c.twin).pixmap().toImage());
}

// Touch: fingertip; feed: the falling food; zoom: the middle of the lens.
INSTANTIATE_TEST_SUITE_P(ViewCursors, ResourceCursor,
                         testing::Values(CursorCase{158, 159, {11, 1}}, CursorCase{159, 158, {11, 1}},
                                         CursorCase{163, 164, {8, 27}}, CursorCase{164, 163, {8, 27}},
                                         CursorCase{167, 177, {12, 12}}, CursorCase{177, 167, {12, 12}},
                                         CursorCase{169, 178, {12, 12}}, CursorCase{178, 169, {12, 12}}),
                         [](const auto& info) { return "id" + std::to_string(info.param.id); });

class ResourceIcon : public testing::TestWithParam<int> {
protected:
    void SetUp() override { ensureGuiApplication(); }
};

TEST_P(ResourceIcon, is24x24OnATransparentCorner)
{
    const QPixmap pixmap = resourcePixmap(GetParam());
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.size(), QSize(24, 24));
    const QImage image = pixmap.toImage();
    EXPECT_TRUE(image.hasAlphaChannel());
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
}

INSTANTIATE_TEST_SUITE_P(MenuAndSwitchIcons, ResourceIcon,
                         testing::Values(133, 160, 134, 135, 180, 253, 232, 175, 183, 184));

TEST(ResourceImages, switchIconsAreGreyOffAndGreenOn)
{
    ensureGuiApplication();
    // Sample the track away from the knob: right part when off, left part when on.
    const QColor off = resourcePixmap(183).toImage().pixelColor(19, 15);
    const QColor on = resourcePixmap(184).toImage().pixelColor(5, 15);
    EXPECT_LT(off.hsvSaturation(), 60);
    EXPECT_GT(on.green(), on.red() + 60);
    EXPECT_GT(on.green(), on.blue() + 60);
}

TEST(ResourceImages, unknownIdsGiveArrowAndNullPixmap)
{
    ensureGuiApplication();
    EXPECT_EQ(resourceCursor(1).shape(), Qt::ArrowCursor);
    EXPECT_EQ(resourceCursor(133).shape(), Qt::ArrowCursor); // an icon, not a cursor
    EXPECT_TRUE(resourcePixmap(1).isNull());
}

TEST(ResourceImages, cursorPicturesAreReachableAsPixmaps)
{
    ensureGuiApplication();
    EXPECT_EQ(resourcePixmap(163).size(), QSize(32, 32));
}

TEST(ResourceImages, applicationIconHasEverySize)
{
    ensureGuiApplication();
    const QIcon icon = applicationIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    EXPECT_EQ(icon.pixmap(QSize(256, 256)).size(), QSize(256, 256));
}
