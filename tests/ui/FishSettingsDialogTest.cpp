// The fish settings dialog driven like a user: clicks, keys, buttons, closing.
#include "FishSettingsDialog.h"
#include "FlatButton.h"
#include "HyperLinkStatic.h"
#include "PopupMenu.h"
#include "Random.h"
#include "Settings.h"
#include "UiTestApp.h"

#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <array>
#include <memory>

namespace {

using Counts = std::array<int, 25>;

Counts fileCounts()
{
    Counts c{};
    readFishCounts(c.data());
    return c;
}

Counts countsOf(std::initializer_list<std::pair<int, int>> cells)
{
    Counts c{};
    for (auto [cell, n] : cells)
        c[cell] = n;
    return c;
}

// The centre of a grid cell in dialog coordinates.
QPoint cellPoint(int cell)
{
    return QPoint(100 * (cell % 5) + 50, 90 * (cell / 5) + 45);
}

class FishSettingsDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        uiTestApp();
        configDir = new QTemporaryDir;
        qputenv("XDG_CONFIG_HOME", configDir->path().toUtf8());
    }

    static void TearDownTestSuite()
    {
        delete configDir;
        configDir = nullptr;
    }

    void SetUp() override
    {
        QDir(configDir->path()).removeRecursively();
        QDir().mkpath(configDir->path());
        std::fill(std::begin(settings.speciesCounts), std::end(settings.speciesCounts), 0);
    }

    void TearDown() override { varlen::setRandomSource({}); }

    void open(const Counts& stored)
    {
        saveFishCounts(stored.data());
        dialog = std::make_unique<FishSettingsDialog>();
        dialog->show();
        ASSERT_TRUE(processUntil([&] { return dialog->isVisible(); }));
    }

    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(dialog.get(), button, Qt::NoModifier, p);
    }

    void doubleClick(QPoint p, Qt::MouseButton button)
    {
        // Press and release, then the second press arrives as a double-click.
        click(p, button);
        QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(p), QPointF(dialog->mapToGlobal(p)), button, button,
                        Qt::NoModifier);
        QApplication::sendEvent(dialog.get(), &dbl);
        QTest::mouseRelease(dialog.get(), button, Qt::NoModifier, p);
    }

    void key(QWidget* target, Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(target, k, mods);
    }

    static QTemporaryDir* configDir;
    std::unique_ptr<FishSettingsDialog> dialog;
};

QTemporaryDir* FishSettingsDialogTest::configDir = nullptr;

TEST_F(FishSettingsDialogTest, opensWithTheStoredCountsTitleAndTotal)
{
    open(countsOf({{1, 2}, {3, 1}, {24, 4}}));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Fish Settings - Varlen Fish 3D Screensaver 1.0"));
    EXPECT_EQ(dialog->size(), QSize(501, 561));
    EXPECT_EQ(dialog->grid().count(1), 2);
    EXPECT_EQ(dialog->grid().count(24), 4);
    EXPECT_EQ(dialog->grid().count(0), 0);
    EXPECT_EQ(dialog->grid().selection(), -1);
    EXPECT_EQ(dialog->totalText(), QStringLiteral("Total: 7   (Max:25)"));
    EXPECT_TRUE(dialog->saveTimerActive());
}

TEST_F(FishSettingsDialogTest, controlsSitWhereTheLayoutPutsThem)
{
    open({});
    EXPECT_EQ(dialog->button(FishSettingsDialog::IdAdd)->geometry(), QRect(182, 527, 40, 24));
    EXPECT_EQ(dialog->button(FishSettingsDialog::IdAdd)->text(), QStringLiteral("&Add"));
    EXPECT_EQ(dialog->button(FishSettingsDialog::IdDelete)->text(), QStringLiteral("&Delete"));
    EXPECT_EQ(dialog->button(FishSettingsDialog::IdRandom)->text(), QStringLiteral("&Random"));
    EXPECT_EQ(dialog->button(FishSettingsDialog::IdClear)->text(), QStringLiteral("&Clear"));
    EXPECT_FALSE(dialog->button(FishSettingsDialog::IdOk)->isVisible());
    EXPECT_FALSE(dialog->button(FishSettingsDialog::IdCancel)->isVisible());
    EXPECT_EQ(dialog->link()->geometry().topLeft(), QPoint(14, 540));
    EXPECT_EQ(dialog->link()->text(), QStringLiteral("www.varlenfish.example"));
}

TEST_F(FishSettingsDialogTest, twoClicksOnAddReachTheFileAndTheTankAtTheNextSave)
{
    open(countsOf({{7, 1}}));
    click(cellPoint(7));
    QTest::mouseClick(dialog->button(FishSettingsDialog::IdAdd), Qt::LeftButton);
    QTest::mouseClick(dialog->button(FishSettingsDialog::IdAdd), Qt::LeftButton);
    EXPECT_EQ(dialog->grid().count(7), 3);
    EXPECT_EQ(dialog->totalText(), QStringLiteral("Total: 3   (Max:25)"));
    // The 500 ms timer saves by itself.
    ASSERT_TRUE(processUntil([] { return fileCounts()[7] == 3; }));
    EXPECT_EQ(settings.speciesCounts[7], 3);
}

// A click on the maker's link opens the link and leaves the selected cell alone.
TEST_F(FishSettingsDialogTest, aClickOnTheLinkKeepsTheSelectedCell)
{
    open(countsOf({{7, 1}}));
    int opened = 0;
    dialog->link()->setOpener([&](const QString &) { ++opened; return 33; });
    click(cellPoint(7));
    const QPoint onLink = dialog->link()->rect().center();
    QTest::mouseClick(dialog->link(), Qt::LeftButton, Qt::NoModifier, onLink);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(dialog->grid().selection(), 7);
}

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int expectedCount; // of cell 2, which starts at 3
};

class FishSettingsDialogKeys : public FishSettingsDialogTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(FishSettingsDialogKeys, letterKeysActWhileAButtonHasTheFocus)
{
    varlen::setRandomSource([] { return 0; }); // R empties every cell
    open(countsOf({{2, 3}, {4, 1}}));
    click(cellPoint(2));
    FlatButton* focused = dialog->button(FishSettingsDialog::IdDelete);
    focused->setFocus();
    key(focused, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(dialog->grid().count(2), GetParam().expectedCount);
}

INSTANTIATE_TEST_SUITE_P(Keys, FishSettingsDialogKeys,
                         ::testing::Values(KeyCase{Qt::Key_A, Qt::NoModifier, 4},
                                           KeyCase{Qt::Key_A, Qt::ShiftModifier, 4},
                                           KeyCase{Qt::Key_D, Qt::NoModifier, 2},
                                           KeyCase{Qt::Key_D, Qt::ShiftModifier, 2},
                                           KeyCase{Qt::Key_C, Qt::NoModifier, 0},
                                           KeyCase{Qt::Key_R, Qt::NoModifier, 0},
                                           // Ctrl+A is not the add key.
                                           KeyCase{Qt::Key_A, Qt::ControlModifier, 3},
                                           KeyCase{Qt::Key_X, Qt::NoModifier, 3}),
                         [](const ::testing::TestParamInfo<KeyCase>& info) {
                             std::string name(1, char(info.param.key));
                             if (info.param.modifiers & Qt::ShiftModifier)
                                 name = "Shift" + name;
                             if (info.param.modifiers & Qt::ControlModifier)
                                 name = "Ctrl" + name;
                             return name;
                         });

TEST_F(FishSettingsDialogTest, withTwentyFiveFishAddChangesNothingAndDeleteFreesAPlace)
{
    open(countsOf({{0, 20}, {5, 5}}));
    click(cellPoint(0));
    QTest::mouseClick(dialog->button(FishSettingsDialog::IdAdd), Qt::LeftButton);
    key(dialog.get(), Qt::Key_A);
    EXPECT_EQ(dialog->grid().count(0), 20);
    EXPECT_EQ(dialog->totalText(), QStringLiteral("Total: 25   (Max:25)"));

    QTest::mouseClick(dialog->button(FishSettingsDialog::IdDelete), Qt::LeftButton);
    EXPECT_EQ(dialog->grid().count(0), 19);
    key(dialog.get(), Qt::Key_A);
    EXPECT_EQ(dialog->grid().count(0), 20);
}

TEST_F(FishSettingsDialogTest, leftDoubleClickAddsRightDoubleClickRemoves)
{
    open(countsOf({{12, 2}}));
    doubleClick(cellPoint(12), Qt::LeftButton);
    EXPECT_EQ(dialog->grid().selection(), 12);
    EXPECT_EQ(dialog->grid().count(12), 3);
    doubleClick(cellPoint(12), Qt::RightButton);
    doubleClick(cellPoint(12), Qt::RightButton);
    EXPECT_EQ(dialog->grid().count(12), 1);
}

TEST_F(FishSettingsDialogTest, rightClickAloneSelectsNothing)
{
    open({});
    click(cellPoint(3), Qt::RightButton);
    EXPECT_EQ(dialog->grid().selection(), -1);
}

TEST_F(FishSettingsDialogTest, clickBelowTheGridClearsTheSelection)
{
    open({});
    click(cellPoint(9));
    ASSERT_EQ(dialog->grid().selection(), 9);
    click(QPoint(250, 480));
    EXPECT_EQ(dialog->grid().selection(), -1);
    key(dialog.get(), Qt::Key_A);
    EXPECT_EQ(dialog->grid().total(), 0);
}

TEST_F(FishSettingsDialogTest, randomFillsAtMostTwentyFourClearsSelectionAndUpdatesTotal)
{
    varlen::setRandomSource([] { return 1; });
    open(countsOf({{0, 9}}));
    click(cellPoint(6));
    QTest::mouseClick(dialog->button(FishSettingsDialog::IdRandom), Qt::LeftButton);
    EXPECT_EQ(dialog->grid().total(), 24);
    EXPECT_EQ(dialog->grid().count(24), 0);
    EXPECT_EQ(dialog->grid().selection(), -1);
    EXPECT_EQ(dialog->totalText(), QStringLiteral("Total: 24   (Max:25)"));
}

TEST_F(FishSettingsDialogTest, clearEmptiesEveryCell)
{
    open(countsOf({{0, 3}, {10, 4}}));
    QTest::mouseClick(dialog->button(FishSettingsDialog::IdClear), Qt::LeftButton);
    EXPECT_EQ(dialog->grid().total(), 0);
    EXPECT_EQ(dialog->totalText(), QStringLiteral("Total: 0   (Max:25)"));
}

TEST_F(FishSettingsDialogTest, escapeKeepsOnlyWhatTheLastSaveWrote)
{
    open(countsOf({{4, 1}}));
    click(cellPoint(4));
    key(dialog.get(), Qt::Key_A);
    dialog->save(); // what the 500 ms timer does
    key(dialog.get(), Qt::Key_A);
    EXPECT_EQ(dialog->grid().count(4), 3);
    key(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->saveTimerActive());
    EXPECT_EQ(fileCounts()[4], 2);
    EXPECT_EQ(settings.speciesCounts[4], 2);
}

TEST_F(FishSettingsDialogTest, enterWithoutAFocusedButtonSavesAndCloses)
{
    open(countsOf({{4, 1}}));
    click(cellPoint(4));
    key(dialog.get(), Qt::Key_A);
    dialog->setFocus();
    key(dialog.get(), Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(fileCounts()[4], 2);
    EXPECT_EQ(settings.speciesCounts[4], 2);
}

TEST_F(FishSettingsDialogTest, enterOnAFocusedButtonPressesThatButton)
{
    open(countsOf({{4, 1}}));
    click(cellPoint(4));
    FlatButton* add = dialog->button(FishSettingsDialog::IdAdd);
    add->setFocus();
    key(add, Qt::Key_Return);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->grid().count(4), 2);
}

TEST_F(FishSettingsDialogTest, closeBoxSavesAndClosesWithOk)
{
    open(countsOf({{20, 2}}));
    click(cellPoint(20));
    key(dialog.get(), Qt::Key_D);
    dialog->close();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(fileCounts()[20], 1);
    EXPECT_EQ(settings.speciesCounts[20], 1);
}

TEST_F(FishSettingsDialogTest, savingClipsTheTankCountsButKeepsTheFile)
{
    open(countsOf({{2, 40}}));
    dialog->save();
    EXPECT_EQ(fileCounts()[2], 40);
    EXPECT_EQ(settings.speciesCounts[2], 25);
}

TEST_F(FishSettingsDialogTest, selectedCellIsDrawnInverted)
{
    open({});
    const QPoint probe = cellPoint(12) + QPoint(0, 20);
    const QColor before = pixelAt(grabImage(dialog.get()), probe.x(), probe.y());
    click(cellPoint(12));
    const QImage after = grabImage(dialog.get());
    const QColor inverted = pixelAt(after, probe.x(), probe.y());
    EXPECT_EQ(inverted, QColor(255 - before.red(), 255 - before.green(), 255 - before.blue()));
    // Outside the ellipse (the cell's corner) nothing is inverted.
    const QRect cell = FishCountGrid::cellBounds(12);
    EXPECT_EQ(pixelAt(after, cell.right() - 1, cell.bottom() - 1),
              pixelAt(grabImage(dialog.get()), cell.right() - 1, cell.bottom() - 1));
    click(cellPoint(13));
    EXPECT_EQ(pixelAt(grabImage(dialog.get()), probe.x(), probe.y()), before);
}

TEST_F(FishSettingsDialogTest, countsAreWrittenInTheCellCorners)
{
    open(countsOf({{0, 7}}));
    const QImage img = grabImage(dialog.get());
    int ink = 0;
    const QRect square = FishCountGrid::numberSquare(0);
    for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x)
            ink += QColor(img.pixel(x, y)).lightness() < 60;
    EXPECT_GT(ink, 5);
}

// Every count reads at a glance: around the digits' ink the picture is covered by a
// backing light enough for black text to stand out at least 4.5 : 1.
TEST_F(FishSettingsDialogTest, everyCountStandsOutFromThePicture)
{
    Counts counts{};
    counts.fill(8);
    open(counts);
    const QImage img = grabImage(dialog.get());
    const auto luminance = [](QColor c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    for (int cell = 0; cell < FishCountGrid::kSpecies; ++cell) {
        const QRect square = FishCountGrid::numberSquare(cell);
        QRect ink;
        for (int y = square.top(); y <= square.bottom(); ++y)
            for (int x = square.left(); x <= square.right(); ++x)
                if (QColor(img.pixel(x, y)).lightness() < 40)
                    ink |= QRect(x, y, 1, 1);
        ASSERT_FALSE(ink.isEmpty()) << "cell " << cell;
        // The darkest pixel in the ring just outside the digits' ink.
        double darkest = 1.0;
        const QRect ring = ink.adjusted(-1, -1, 1, 1);
        for (int x = ring.left(); x <= ring.right(); ++x)
            for (int y : {ring.top(), ring.bottom()})
                darkest = std::min(darkest, luminance(QColor(img.pixel(x, y))));
        for (int y = ring.top(); y <= ring.bottom(); ++y)
            for (int x : {ring.left(), ring.right()})
                darkest = std::min(darkest, luminance(QColor(img.pixel(x, y))));
        EXPECT_GE((darkest + 0.05) / 0.05, 4.5) << "cell " << cell;
    }
}

TEST_F(FishSettingsDialogTest, totalIsBlueOnPaleYellow)
{
    open({});
    const QImage img = grabImage(dialog.get());
    bool blue = false;
    bool pale = false;
    for (int y = 540; y < 553; ++y)
        for (int x = 378; x < 499; ++x) {
            const QColor c(img.pixel(x, y));
            blue |= c == QColor(0, 0, 255);
            pale |= c == QColor(255, 255, 239);
        }
    EXPECT_TRUE(blue);
    EXPECT_TRUE(pale);
}

TEST_F(FishSettingsDialogTest, fromTheMenuTwoAddsReachTheFileWhileTheDialogIsOpen)
{
    saveFishCounts(countsOf({{16, 1}}).data());
    QWidget view;
    view.resize(600, 600);
    view.show();

    // Right-button menu: choose "  Add/Delete Fish".
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        const QPoint p = menu->actionGeometry(menu->actions().at(4)).center();
        QTest::mouseMove(menu, p);
        QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, p);
    });
    const int command = execPopupMenu(&view, view.mapToGlobal(QPoint(100, 100)));
    ASSERT_EQ(command, 1034);

    // The modal dialog: select the lionfish, add two with the button, and leave with Esc
    // once the dialog's own timer has saved (the tank reads settings.speciesCounts).
    bool sawSave = false;
    QTimer script;
    int step = 0;
    QObject::connect(&script, &QTimer::timeout, [&] {
        auto* dlg = qobject_cast<FishSettingsDialog*>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        if (step == 0) {
            QTest::mouseClick(dlg, Qt::LeftButton, Qt::NoModifier, cellPoint(16));
            QTest::mouseClick(dlg->button(FishSettingsDialog::IdAdd), Qt::LeftButton);
            QTest::mouseClick(dlg->button(FishSettingsDialog::IdAdd), Qt::LeftButton);
            step = 1;
        } else if (fileCounts()[16] == 3 && settings.speciesCounts[16] == 3) {
            sawSave = true;
            QTest::keyClick(dlg, Qt::Key_Escape);
        }
    });
    script.start(20);
    // A safety net so a broken dialog cannot hang the test.
    QTimer::singleShot(20000, [] {
        if (QWidget* w = QApplication::activeModalWidget())
            w->close();
    });
    EXPECT_EQ(runFishSettingsDialog(&view), QDialog::Rejected);
    EXPECT_TRUE(sawSave);
    EXPECT_EQ(fileCounts()[16], 3);
}

} // namespace
