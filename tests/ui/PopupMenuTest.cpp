// The right-button menu: its entries, their drawing and what choosing one returns.
#include "PopupMenu.h"
#include "PopupMenuEntries.h"
#include "UiTestApp.h"

#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace {

const QColor kStrip(219, 216, 209);
const QColor kTextArea(247, 248, 249);
const QColor kHighlight(177, 185, 207);
const QColor kMagenta(255, 0, 255);

QPixmap solidIcon(int)
{
    QPixmap pm(24, 24);
    pm.fill(kMagenta);
    return pm;
}

class PopupMenuTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { uiTestApp(); }

    void SetUp() override
    {
        menu = std::make_unique<OwnerDrawMenu>(nullptr, solidIcon);
        menu->popup(QPoint(100, 100));
        ASSERT_TRUE(processUntil([&] { return menu->isVisible(); }));
    }

    void TearDown() override { menu->hide(); }

    QRect entry(int i) { return menu->actionGeometry(menu->actions().at(i)); }

    std::unique_ptr<OwnerDrawMenu> menu;
};

TEST_F(PopupMenuTest, eightEntriesInOrderWithTheirCommands)
{
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), 8);
    const char* texts[] = {"  Feed Fish",      "  Touch Fish",   "  Zoom In Fish",       "  Zoom Out Fish",
                           "  Add/Delete Fish", "  Custom Music", "  Custom Background", "  Exit"};
    const int commands[] = {1036, 1035, 1037, 1038, 1034, 1050, 1052, 1042};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(actions[i]->text(), QString::fromLatin1(texts[i])) << i;
        EXPECT_EQ(menu->commandOf(actions[i]), commands[i]) << i;
        EXPECT_FALSE(actions[i]->isSeparator());
        EXPECT_FALSE(actions[i]->isCheckable());
        EXPECT_TRUE(actions[i]->isEnabled());
    }
}

TEST_F(PopupMenuTest, everyEntryIs140By48)
{
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(entry(i).size(), QSize(140, 48)) << i;
    EXPECT_EQ(entry(1).top(), entry(0).top() + 48);
}

TEST_F(PopupMenuTest, plainEntryHasIconStripAndTextArea)
{
    const QImage img = grabImage(menu.get());
    const QRect r = entry(3);
    // Below the icon: strip colour up to x 24, text area from 25.
    EXPECT_EQ(pixelAt(img, r.left() + 1, r.bottom() - 2), kStrip);
    EXPECT_EQ(pixelAt(img, r.left() + 24, r.bottom() - 2), kStrip);
    EXPECT_EQ(pixelAt(img, r.left() + 25, r.bottom() - 2), kTextArea);
    EXPECT_EQ(pixelAt(img, r.right(), r.top()), kTextArea);
    // The icon: 3 pixels into the strip, 24 x 24.
    EXPECT_EQ(pixelAt(img, r.left() + 2, r.top() + 2), kStrip);
    EXPECT_EQ(pixelAt(img, r.left() + 3, r.top() + 3), kMagenta);
    EXPECT_EQ(pixelAt(img, r.left() + 26, r.top() + 26), kMagenta);
    EXPECT_EQ(pixelAt(img, r.left() + 27, r.top() + 27), kTextArea);
}

TEST_F(PopupMenuTest, highlightedEntryIsFramedFilledAndItsIconMovesUpLeft)
{
    menu->setActiveAction(menu->actions().at(2));
    const QImage img = grabImage(menu.get());
    const QRect r = entry(2);
    EXPECT_EQ(pixelAt(img, r.left(), r.top()), QColor(Qt::black));
    EXPECT_EQ(pixelAt(img, r.right(), r.bottom()), QColor(Qt::black));
    EXPECT_EQ(pixelAt(img, r.left() + 70, r.top()), QColor(Qt::black));
    // Filled across the strip and the text area alike.
    EXPECT_EQ(pixelAt(img, r.left() + 1, r.bottom() - 1), kHighlight);
    EXPECT_EQ(pixelAt(img, r.right() - 1, r.top() + 1), kHighlight);
    EXPECT_EQ(pixelAt(img, r.left() + 2, r.top() + 2), kMagenta);
    EXPECT_EQ(pixelAt(img, r.left() + 25, r.top() + 25), kMagenta);
    EXPECT_EQ(pixelAt(img, r.left() + 26, r.top() + 26), kHighlight);
    // Its neighbours stay plain.
    EXPECT_EQ(pixelAt(img, r.left() + 1, entry(1).bottom() - 1), kStrip);
    EXPECT_EQ(pixelAt(img, r.left() + 1, entry(3).top() + 1), kStrip);
}

bool darkish(const QColor& c) { return c.red() < 128 && c.green() < 128 && c.blue() < 128; }

TEST_F(PopupMenuTest, labelStartsEightPixelsIntoTheTextAreaAfterTwoBlanks)
{
    const QImage img = grabImage(menu.get());
    const QRect r = entry(0);
    int firstInk = -1;
    for (int x = r.left() + 25; x <= r.right() && firstInk < 0; ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            if (darkish(pixelAt(img, x, y))) {
                firstInk = x - r.left();
                break;
            }
    // 25 (strip) + 8 + two blanks of the menu font (about 6 px), give or take the
    // first glyph's side bearing.
    const int blanks = menu->fontMetrics().horizontalAdvance(QStringLiteral("  "));
    EXPECT_GE(firstInk, 33 + blanks - 1);
    EXPECT_LE(firstInk, 33 + blanks + 3);
    // The text is vertically centred: ink on the entry's middle row.
    bool inkOnMiddle = false;
    for (int x = r.left() + 33; x < r.right(); ++x)
        inkOnMiddle |= darkish(pixelAt(img, x, r.center().y()));
    EXPECT_TRUE(inkOnMiddle);
}

TEST_F(PopupMenuTest, longestLabelFitsItsEntry)
{
    // On the drawn menu: the last ink of every label, "  Custom Background" the longest,
    // stays at least 4 pixels clear of the menu's right frame.
    const QImage img = grabImage(menu.get());
    const int frame = img.width() - 1;
    ASSERT_EQ(pixelAt(img, frame, entry(6).center().y()), QColor(128, 128, 128));
    for (int i = 0; i < 8; ++i) {
        const QRect r = entry(i);
        int lastInk = -1;
        for (int x = r.left() + 25; x < frame; ++x)
            for (int y = r.top(); y <= r.bottom(); ++y)
                if (darkish(pixelAt(img, x, y)))
                    lastInk = x;
        ASSERT_GT(lastInk, r.left() + 25) << i;
        EXPECT_GE(frame - lastInk - 1, 4) << menu->actions().at(i)->text().toStdString();
    }
}

// ---- choosing ----

// Clicks entry `index` of the open popup menu with the given button once it is up.
void clickEntryWhenOpen(int index, Qt::MouseButton button)
{
    QTimer::singleShot(0, [index, button] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        const QRect r = menu->actionGeometry(menu->actions().at(index));
        QTest::mouseMove(menu, r.center());
        QTest::mousePress(menu, button, Qt::NoModifier, r.center());
        QTest::mouseRelease(menu, button, Qt::NoModifier, r.center());
    });
}

struct ChoiceCase {
    int index;
    int command;
};

class PopupMenuChoice : public ::testing::TestWithParam<ChoiceCase> {
protected:
    static void SetUpTestSuite() { uiTestApp(); }
};

TEST_P(PopupMenuChoice, returnsTheChosenCommand)
{
    QWidget owner;
    owner.resize(400, 400);
    owner.show();
    clickEntryWhenOpen(GetParam().index, Qt::LeftButton);
    EXPECT_EQ(execPopupMenu(&owner, owner.mapToGlobal(QPoint(20, 20))), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(Entries, PopupMenuChoice,
                         ::testing::Values(ChoiceCase{0, 1036}, ChoiceCase{1, 1035}, ChoiceCase{2, 1037},
                                           ChoiceCase{3, 1038}, ChoiceCase{4, 1034}, ChoiceCase{5, 1050},
                                           ChoiceCase{6, 1052}, ChoiceCase{7, 1042}),
                         [](const ::testing::TestParamInfo<ChoiceCase>& info) {
                             return "command" + std::to_string(info.param.command);
                         });

TEST(PopupMenuChoose, rightButtonChoosesToo)
{
    uiTestApp();
    QWidget owner;
    owner.show();
    clickEntryWhenOpen(4, Qt::RightButton);
    EXPECT_EQ(execPopupMenu(&owner, QPoint(50, 50)), 1034);
}

TEST(PopupMenuChoose, dismissingReturnsZero)
{
    uiTestApp();
    QWidget owner;
    owner.show();
    QTimer::singleShot(0, [] {
        if (QWidget* popup = QApplication::activePopupWidget())
            QTest::keyClick(popup, Qt::Key_Escape);
    });
    EXPECT_EQ(execPopupMenu(&owner, QPoint(50, 50)), 0);
}

TEST(PopupMenuChoose, opensWithItsTopLeftAtThePoint)
{
    uiTestApp();
    QPoint topLeft;
    QTimer::singleShot(0, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            topLeft = popup->geometry().topLeft();
            popup->close();
        }
    });
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint at = screen.topLeft() + QPoint(300, 200);
    execPopupMenu(nullptr, at);
    EXPECT_EQ(topLeft, at);
}

TEST(PopupMenuChoose, commandOfForeignOrNoActionIsZero)
{
    uiTestApp();
    OwnerDrawMenu menu;
    QAction foreign(QStringLiteral("x"));
    foreign.setData(1036);
    EXPECT_EQ(menu.commandOf(nullptr), 0);
    EXPECT_EQ(menu.commandOf(&foreign), 0);
    EXPECT_EQ(menu.actionForCommand(1042), menu.actions().at(7));
}

} // namespace
