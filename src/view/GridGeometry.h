#pragma once

#include <QRect>

#include <vector>

namespace mosgrid {

// The grid's geometry as pure functions: cells of one thumbnail size, no gaps, filled row by
// row from the top-left cell with the thumbnail at the top index.
namespace GridGeometry {

// Thumbnails per row for a client width; at least one.
int ColumnsFor(int clientWidth, int cellWidth);

struct Grid {
    int columns = 1;
    int cellWidth = 1;
    int cellHeight = 1;
    int topIndex = 0;
    int count = 0;  // number of thumbnails
};

// The index of the thumbnail under a client point, or -1: right of the last column, or a cell
// with no thumbnail.
int HitTest(const Grid& grid, int x, int y);

// The rectangle of the n-th cell counted from the top-left one.
QRect CellRect(const Grid& grid, int cellNumber);

struct PaintedCell {
    int index = 0;
    QRect rect;
};

// The cells a paint copies, in order: every row whose top edge lies within the client height
// (top <= clientBottom) is painted whole, as far as thumbnails remain, and the walk ends after
// the first cell of the row below. Nothing when the top index is at or beyond the count.
std::vector<PaintedCell> PaintWalk(const Grid& grid, int clientBottom);

} // namespace GridGeometry

} // namespace mosgrid
