#pragma once

#include <QRect>
#include <QString>

#include <array>
#include <vector>

// The rules of the fish settings dialog, without any widget: the 25 species counts laid
// out as a 5 x 5 grid of 100 x 90 pixel cells over the species picture, the selected
// cell, and the changes the dialog's buttons, keys and clicks make. Each change returns
// the client rectangles whose look it changed, so the dialog repaints just those.
class FishCountGrid {
public:
    static constexpr int kSpecies = 25;
    static constexpr int kMaxTotal = 25;     // fish records in the tank
    static constexpr int kMaxPerSpecies = 25;
    static constexpr int kCellWidth = 100;
    static constexpr int kCellHeight = 90;
    static constexpr int kColumns = 5;
    static constexpr int kGridBottom = 450;  // clicks below this line clear the selection
    static constexpr int kNumberSquare = 20; // the repainted square around a cell's number
    static constexpr int kNoSelection = -1;

    // Every count starts at 10 until load() replaces it; nothing is selected.
    FishCountGrid();

    // Takes the 25 counts as read from the settings file (values are kept as they are).
    void load(const int counts[kSpecies]);

    const std::array<int, kSpecies>& counts() const { return counts_; }
    int count(int cell) const;      // 0 for a cell outside 0..24
    int total() const;              // sum of the counts, each held to 0..25

    // The selection as last set: kNoSelection, a cell 0..24, or a number outside the grid
    // (a click beside or just under the cells), which selects nothing to add to.
    int selection() const { return selection_; }
    bool hasSelectedCell() const { return selection_ >= 0 && selection_ < kSpecies; }

    // Cell i: left = 100 * (i mod 5) + 2, top = 90 * (i div 5) + 2, 100 x 90 pixels.
    static QRect cellBounds(int cell);
    // The 20 x 20 square at the cell's top-left corner, where its count is written.
    static QRect numberSquare(int cell);
    // Where the count of a cell is written: 2 pixels into the cell.
    static QPoint numberPosition(int cell);

    // Left button at a client point. Up to y = 450 the cell under the point is selected
    // (x div 100 + (y div 90) * 5); lower down the selection is cleared.
    std::vector<QRect> select(QPoint clientPoint);

    // One more fish of the selected species; nothing without a selected cell or when the
    // tank already holds 25 fish. A count never rises above 25.
    std::vector<QRect> addOne();
    // One fish fewer; nothing without a selected cell. A count never drops below 0.
    std::vector<QRect> removeOne();
    // Each cell in order gets randomValue() % 2, except that a value that would bring the
    // running sum above 24 becomes 0: the total is at most 24. Clears the selection.
    std::vector<QRect> randomFill();
    // Every count 0.
    std::vector<QRect> clear();

    // "Total: N   (Max:25)".
    QString totalText() const;

private:
    std::vector<QRect> allNumberSquares() const;

    std::array<int, kSpecies> counts_;
    int selection_ = kNoSelection;
};
