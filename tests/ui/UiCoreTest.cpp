// Rules of the ui subsystem that need no screen: dialog units, the fish count grid and
// the link failure texts.
#include "DialogUnits.h"
#include "FishCountGrid.h"
#include "HyperlinkErrors.h"
#include "Random.h"

#include <gtest/gtest.h>

#include <climits>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// ---- dialog units ----

struct UnitCase {
    DialogFontKind font;
    int x, y, w, h;
    QRect expected;
};

class DialogUnitsRect : public ::testing::TestWithParam<UnitCase> {};

TEST_P(DialogUnitsRect, convertsBothCornersRoundingHalvesAway)
{
    const UnitCase& c = GetParam();
    EXPECT_EQ(dialogRect(c.font, c.x, c.y, c.w, c.h), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Templates, DialogUnitsRect,
    ::testing::Values(
        // &Add: left 121*1.5 = 181.5 -> 182, right 148*1.5 = 222; top 324*1.625 = 526.5 -> 527,
        // bottom 339*1.625 = 550.875 -> 551.
        UnitCase{DialogFontKind::MsSansSerif8, 121, 324, 27, 15, QRect(182, 527, 40, 24)},
        // The link: 9 -> 13.5 -> 14, 122 -> 183; 332 -> 539.5 -> 540, 344 -> 559.
        UnitCase{DialogFontKind::MsSansSerif8, 9, 332, 113, 12, QRect(14, 540, 169, 19)},
        UnitCase{DialogFontKind::MsSansSerif8, 0, 0, 4, 8, QRect(0, 0, 6, 13)},
        UnitCase{DialogFontKind::System, 10, 10, 20, 20, QRect(20, 20, 40, 40)},
        UnitCase{DialogFontKind::System, 7, 3, 1, 1, QRect(14, 6, 2, 2)},
        // Negative units round away from zero too: -3 * 1.5 = -4.5 -> -5.
        UnitCase{DialogFontKind::MsSansSerif8, -3, 0, 3, 8, QRect(-5, 0, 5, 13)}),
    [](const ::testing::TestParamInfo<UnitCase>& info) {
        return std::string(info.param.font == DialogFontKind::System ? "System_" : "MsSansSerif8_") +
               std::to_string(info.index);
    });

TEST(DialogUnits, fishDialogClientIs501By561)
{
    // 334 * 1.5 = 501; 345 * 1.625 = 560.625 -> 561.
    EXPECT_EQ(dialogSize(DialogFontKind::MsSansSerif8, 334, 345), QSize(501, 561));
}

TEST(DialogUnits, systemFontIsTwoPixelsPerUnit)
{
    EXPECT_EQ(dialogSize(DialogFontKind::System, 150, 75), QSize(300, 150));
    EXPECT_EQ(dialogUnitsToPixelsX(DialogFontKind::System, 1), 2);
    EXPECT_EQ(dialogUnitsToPixelsY(DialogFontKind::System, 1), 2);
}

// ---- link failure texts ----

struct ErrorCase {
    int code;
    const char* text;
};

class HyperlinkErrorText : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(HyperlinkErrorText, namesTheCode)
{
    const ErrorCase& c = GetParam();
    EXPECT_EQ(hyperlinkErrorText(c.code), QString::fromLatin1(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Codes, HyperlinkErrorText,
    ::testing::Values(
        ErrorCase{0, "The operating system is out\nof memory or resources."},
        ErrorCase{2, "The specified file was not found."},
        ErrorCase{3, "The specified path was not found."},
        ErrorCase{5, "The operating system denied\naccess to the specified file."},
        ErrorCase{8, "There was not enough memory to complete the operation."},
        ErrorCase{11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
        ErrorCase{26, "A sharing violation occurred. "},
        ErrorCase{27, "The filename association is\nincomplete or invalid."},
        ErrorCase{28, "The DDE transaction could not\nbe completed because the request timed out."},
        ErrorCase{29, "The DDE transaction failed."},
        ErrorCase{30, "The DDE transaction could not\nbe completed because other DDE transactions\n"
                      "were being processed."},
        ErrorCase{31, "There is no application associated\nwith the given filename extension."},
        ErrorCase{32, "The specified dynamic-link library was not found."},
        ErrorCase{4, "Unknown Error (4) occurred."},
        ErrorCase{1, "Unknown Error (1) occurred."},
        ErrorCase{-7, "Unknown Error (-7) occurred."}),
    [](const ::testing::TestParamInfo<ErrorCase>& info) {
        return (info.param.code < 0 ? "minus" : "code") + std::to_string(std::abs(info.param.code));
    });

TEST(HyperlinkErrorMessage, startsWithTheHeadingAndABlankLine)
{
    EXPECT_EQ(hyperlinkErrorMessage(4), QStringLiteral("Unable to open hyperlink:\n\nUnknown Error (4) occurred."));
    EXPECT_EQ(hyperlinkErrorMessage(31),
              QStringLiteral("Unable to open hyperlink:\n\nThere is no application associated\n"
                             "with the given filename extension."));
}

TEST(HyperlinkErrorMessage, onlyCodesAbove32MeanOpened)
{
    EXPECT_FALSE(hyperlinkOpened(32));
    EXPECT_TRUE(hyperlinkOpened(33));
    EXPECT_FALSE(hyperlinkOpened(0));
}

// ---- fish count grid ----

FishCountGrid gridWith(std::vector<int> counts)
{
    int all[FishCountGrid::kSpecies] = {};
    for (size_t i = 0; i < counts.size() && i < 25; ++i)
        all[i] = counts[i];
    FishCountGrid grid;
    grid.load(all);
    return grid;
}

// A scripted random source for one test; restores rand() afterwards.
class ScriptedRandom {
public:
    explicit ScriptedRandom(std::vector<int> values) : values_(std::move(values))
    {
        varlen::setRandomSource([this] { return values_[next_++ % values_.size()]; });
    }
    ~ScriptedRandom() { varlen::setRandomSource({}); }

private:
    std::vector<int> values_;
    size_t next_ = 0;
};

// Counts edited by hand add up as the tank takes them (above 25 as 25, below 0 as none),
// so the total never overflows; the counts themselves are kept for the file.
TEST(FishCountGrid, handEditedCountsAddUpWithinRange)
{
    const FishCountGrid grid = gridWith({INT_MAX, INT_MAX, -3, 4, INT_MIN});
    EXPECT_EQ(grid.count(0), INT_MAX);
    EXPECT_EQ(grid.total(), 54);
}

TEST(FishCountGrid, opensWithTenEachAndNothingSelected)
{
    FishCountGrid grid;
    EXPECT_EQ(grid.count(0), 10);
    EXPECT_EQ(grid.count(24), 10);
    EXPECT_EQ(grid.total(), 250);
    EXPECT_EQ(grid.selection(), FishCountGrid::kNoSelection);
    EXPECT_FALSE(grid.hasSelectedCell());
}

struct CellCase {
    int cell;
    QRect bounds;
};

class FishCountGridCells : public ::testing::TestWithParam<CellCase> {};

TEST_P(FishCountGridCells, boundsAreOffsetByTwoPixels)
{
    EXPECT_EQ(FishCountGrid::cellBounds(GetParam().cell), GetParam().bounds);
}

INSTANTIATE_TEST_SUITE_P(Grid, FishCountGridCells,
                         ::testing::Values(CellCase{0, QRect(2, 2, 100, 90)}, CellCase{4, QRect(402, 2, 100, 90)},
                                           CellCase{6, QRect(102, 92, 100, 90)},
                                           CellCase{24, QRect(402, 362, 100, 90)}),
                         [](const ::testing::TestParamInfo<CellCase>& info) {
                             return "cell" + std::to_string(info.param.cell);
                         });

TEST(FishCountGrid, numberSquareIsTwentyPixelsAtTheCellCorner)
{
    EXPECT_EQ(FishCountGrid::numberSquare(7), QRect(202, 92, 20, 20));
    EXPECT_EQ(FishCountGrid::numberPosition(7), QPoint(204, 94));
}

struct SelectCase {
    QPoint point;
    int selection;
    bool selectsCell;
};

class FishCountGridSelect : public ::testing::TestWithParam<SelectCase> {};

TEST_P(FishCountGridSelect, picksTheCellUnderThePoint)
{
    FishCountGrid grid;
    grid.select(GetParam().point);
    EXPECT_EQ(grid.selection(), GetParam().selection);
    EXPECT_EQ(grid.hasSelectedCell(), GetParam().selectsCell);
}

INSTANTIATE_TEST_SUITE_P(
    Points, FishCountGridSelect,
    ::testing::Values(SelectCase{{0, 0}, 0, true}, SelectCase{{99, 89}, 0, true}, SelectCase{{100, 0}, 1, true},
                      SelectCase{{0, 90}, 5, true}, SelectCase{{250, 200}, 12, true},
                      SelectCase{{499, 449}, 24, true},
                      // The sixth row (y 450) lies outside the grid but is not "below" it.
                      SelectCase{{10, 450}, 25, false}, SelectCase{{310, 450}, 28, false},
                      // Right of the five columns: no cell (not the next row's first).
                      SelectCase{{500, 10}, 25, false},
                      SelectCase{{10, 451}, FishCountGrid::kNoSelection, false},
                      SelectCase{{250, 560}, FishCountGrid::kNoSelection, false}),
    [](const ::testing::TestParamInfo<SelectCase>& info) {
        return "x" + std::to_string(info.param.point.x()) + "_y" + std::to_string(info.param.point.y());
    });

TEST(FishCountGrid, selectingAnotherCellRepaintsBoth)
{
    FishCountGrid grid;
    grid.select({10, 10});
    const std::vector<QRect> dirty = grid.select({150, 10});
    ASSERT_EQ(dirty.size(), 2u);
    EXPECT_EQ(dirty[0], QRect(2, 2, 100, 90));
    EXPECT_EQ(dirty[1], QRect(102, 2, 100, 90));
}

TEST(FishCountGrid, selectingTheSameCellRepaintsNothing)
{
    FishCountGrid grid;
    grid.select({10, 10});
    EXPECT_TRUE(grid.select({20, 20}).empty());
}

TEST(FishCountGrid, movingOffTheGridRepaintsTheOldCell)
{
    FishCountGrid grid;
    grid.select({350, 10}); // cell 3
    const std::vector<QRect> dirty = grid.select({10, 450});
    ASSERT_EQ(dirty.size(), 1u);
    EXPECT_EQ(dirty[0], QRect(302, 2, 100, 90));
}

TEST(FishCountGrid, clickBelowTheGridClearsSelectionAndRepaintsOldCell)
{
    FishCountGrid grid;
    grid.select({350, 100}); // cell 8
    const std::vector<QRect> dirty = grid.select({350, 451});
    EXPECT_EQ(grid.selection(), FishCountGrid::kNoSelection);
    ASSERT_EQ(dirty.size(), 1u);
    EXPECT_EQ(dirty[0], QRect(302, 92, 100, 90));
}

TEST(FishCountGrid, addRaisesTheSelectedCountAndRepaintsItsNumber)
{
    FishCountGrid grid = gridWith({1, 2, 3});
    grid.select({150, 10}); // cell 1
    const std::vector<QRect> dirty = grid.addOne();
    EXPECT_EQ(grid.count(1), 3);
    EXPECT_EQ(grid.total(), 7);
    ASSERT_EQ(dirty.size(), 1u);
    EXPECT_EQ(dirty[0], QRect(102, 2, 20, 20));
}

TEST(FishCountGrid, addWithTwentyFiveFishChangesNothingAndDeleteFreesOnePlace)
{
    FishCountGrid grid = gridWith({20, 5});
    grid.select({10, 10});
    EXPECT_TRUE(grid.addOne().empty());
    EXPECT_EQ(grid.count(0), 20);
    EXPECT_EQ(grid.total(), 25);

    grid.removeOne();
    EXPECT_EQ(grid.total(), 24);
    grid.addOne();
    EXPECT_EQ(grid.count(0), 20);
    EXPECT_EQ(grid.total(), 25);
}

TEST(FishCountGrid, aCountNeverRisesAboveTwentyFive)
{
    // A file edited by hand: 25 of species 0 and -3 of species 1 make 22 in all.
    FishCountGrid grid = gridWith({25, -3});
    grid.select({10, 10});
    grid.addOne();
    EXPECT_EQ(grid.count(0), 25);
}

TEST(FishCountGrid, aCountNeverDropsBelowZero)
{
    FishCountGrid grid = gridWith({1});
    grid.select({10, 10});
    grid.removeOne();
    grid.removeOne();
    EXPECT_EQ(grid.count(0), 0);
    EXPECT_EQ(grid.total(), 0);
}

TEST(FishCountGrid, addAndRemoveNeedASelectedCell)
{
    FishCountGrid grid = gridWith({3, 3, 3, 3, 3});
    EXPECT_TRUE(grid.addOne().empty());
    EXPECT_TRUE(grid.removeOne().empty());
    grid.select({500, 10}); // beside the grid
    EXPECT_TRUE(grid.addOne().empty());
    grid.select({10, 450}); // the row under the cells
    EXPECT_TRUE(grid.removeOne().empty());
    EXPECT_EQ(grid.total(), 15);
}

struct RandomCase {
    std::vector<int> draws;
    int expectedTotal;
    int lastCell;
};

class FishCountGridRandom : public ::testing::TestWithParam<RandomCase> {};

TEST_P(FishCountGridRandom, fillsZeroOrOneAndAtMostTwentyFour)
{
    ScriptedRandom random(GetParam().draws);
    FishCountGrid grid = gridWith({9, 9, 9});
    grid.select({10, 10});
    grid.randomFill();
    EXPECT_EQ(grid.total(), GetParam().expectedTotal);
    EXPECT_EQ(grid.count(24), GetParam().lastCell);
    for (int i = 0; i < FishCountGrid::kSpecies; ++i)
        EXPECT_TRUE(grid.count(i) == 0 || grid.count(i) == 1) << "cell " << i;
    EXPECT_EQ(grid.selection(), FishCountGrid::kNoSelection);
}

INSTANTIATE_TEST_SUITE_P(Draws, FishCountGridRandom,
                         ::testing::Values(
                             // All odd: the 25th one would make 25, so the last cell gets 0.
                             RandomCase{{1}, 24, 0}, RandomCase{{32767}, 24, 0},
                             // All even: nothing.
                             RandomCase{{0}, 0, 0}, RandomCase{{32766}, 0, 0},
                             // Alternating 1, 0: cells 0, 2, .., 24 get 1 -> 13 fish.
                             RandomCase{{1, 0}, 13, 1}),
                         [](const ::testing::TestParamInfo<RandomCase>& info) {
                             std::string name = "draws";
                             for (int d : info.param.draws)
                                 name += "_" + std::to_string(d);
                             return name;
                         });

TEST(FishCountGrid, randomFillRepaintsOldSelectionAndEveryNumber)
{
    ScriptedRandom random({0});
    FishCountGrid grid;
    grid.select({150, 100}); // cell 6
    const std::vector<QRect> dirty = grid.randomFill();
    ASSERT_EQ(dirty.size(), 26u);
    EXPECT_EQ(dirty[0], QRect(102, 92, 100, 90));
    EXPECT_EQ(dirty[25], QRect(402, 362, 20, 20));
}

TEST(FishCountGrid, clearEmptiesEveryCellAndKeepsTheSelection)
{
    FishCountGrid grid = gridWith({4, 0, 7});
    grid.select({250, 10});
    grid.clear();
    EXPECT_EQ(grid.total(), 0);
    EXPECT_EQ(grid.count(2), 0);
    EXPECT_EQ(grid.selection(), 2);
}

TEST(FishCountGrid, totalTextHasThreeBlanksBeforeTheLimit)
{
    EXPECT_EQ(gridWith({3, 4}).totalText(), QStringLiteral("Total: 7   (Max:25)"));
    EXPECT_EQ(gridWith({}).totalText(), QStringLiteral("Total: 0   (Max:25)"));
}

} // namespace
