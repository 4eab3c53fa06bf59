#include "FishCountGrid.h"

#include "Random.h"

#include <algorithm>
#include <numeric>

FishCountGrid::FishCountGrid()
{
    counts_.fill(10);
}

void FishCountGrid::load(const int counts[kSpecies])
{
    std::copy(counts, counts + kSpecies, counts_.begin());
}

int FishCountGrid::count(int cell) const
{
    return cell >= 0 && cell < kSpecies ? counts_[cell] : 0;
}

int FishCountGrid::total() const
{
    // Counts edited by hand count as the tank takes them: above 25 as 25, below 0 as
    // none; so the sum stays within 0..625.
    return std::accumulate(counts_.begin(), counts_.end(), 0,
                           [](int sum, int count) { return sum + std::clamp(count, 0, kMaxTotal); });
}

QRect FishCountGrid::cellBounds(int cell)
{
    const int left = kCellWidth * (cell % kColumns) + 2;
    const int top = kCellHeight * (cell / kColumns) + 2;
    return QRect(left, top, kCellWidth, kCellHeight);
}

QRect FishCountGrid::numberSquare(int cell)
{
    return QRect(cellBounds(cell).topLeft(), QSize(kNumberSquare, kNumberSquare));
}

QPoint FishCountGrid::numberPosition(int cell)
{
    return cellBounds(cell).topLeft() + QPoint(2, 2);
}

std::vector<QRect> FishCountGrid::select(QPoint p)
{
    std::vector<QRect> dirty;
    const bool hadCell = hasSelectedCell();
    const int previous = selection_;

    if (p.y() > kGridBottom) {
        if (hadCell)
            dirty.push_back(cellBounds(previous));
        selection_ = kNoSelection;
        return dirty;
    }

    // A point left of or above the client area, or right of the five columns, lies in
    // no cell: plain division would wrap it into a neighbouring row.
    int cell = kSpecies;
    if (p.x() >= 0 && p.y() >= 0 && p.x() / kCellWidth < kColumns)
        cell = p.x() / kCellWidth + (p.y() / kCellHeight) * kColumns;

    if (cell != previous) {
        // The old ellipse goes whenever the selection moves, also when it moves off the
        // grid, so the screen never shows a cell that is no longer selected.
        if (hadCell)
            dirty.push_back(cellBounds(previous));
        if (cell >= 0 && cell < kSpecies)
            dirty.push_back(cellBounds(cell));
    }
    selection_ = cell;
    return dirty;
}

std::vector<QRect> FishCountGrid::addOne()
{
    if (!hasSelectedCell() || total() >= kMaxTotal)
        return {};
    int& c = counts_[selection_];
    c = std::min(c + 1, kMaxPerSpecies);
    return {numberSquare(selection_)};
}

std::vector<QRect> FishCountGrid::removeOne()
{
    if (!hasSelectedCell())
        return {};
    int& c = counts_[selection_];
    c = std::max(c - 1, 0);
    return {numberSquare(selection_)};
}

std::vector<QRect> FishCountGrid::randomFill()
{
    std::vector<QRect> dirty;
    if (hasSelectedCell())
        dirty.push_back(cellBounds(selection_));
    int runningSum = 0;
    for (int i = 0; i < kSpecies; ++i) {
        const int value = varlen::randomValue() % 2;
        runningSum += value;
        counts_[i] = runningSum > kMaxTotal - 1 ? 0 : value;
    }
    selection_ = kNoSelection;
    const std::vector<QRect> squares = allNumberSquares();
    dirty.insert(dirty.end(), squares.begin(), squares.end());
    return dirty;
}

std::vector<QRect> FishCountGrid::clear()
{
    counts_.fill(0);
    return allNumberSquares();
}

QString FishCountGrid::totalText() const
{
    return QStringLiteral("Total: %1   (Max:25)").arg(total());
}

std::vector<QRect> FishCountGrid::allNumberSquares() const
{
    std::vector<QRect> squares;
    squares.reserve(kSpecies);
    for (int i = 0; i < kSpecies; ++i)
        squares.push_back(numberSquare(i));
    return squares;
}
