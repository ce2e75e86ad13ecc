#include "view/GridGeometry.h"

#include <algorithm>

namespace mosgrid {

namespace GridGeometry {

int ColumnsFor(int clientWidth, int cellWidth)
{
    if (cellWidth < 1)
        return 1;
    return std::max(1, clientWidth / cellWidth);
}

int HitTest(const Grid& grid, int x, int y)
{
    // 64-bit products: a wide grid times a large cell must not overflow.
    if (static_cast<long long>(x) >= static_cast<long long>(grid.columns) * grid.cellWidth)
        return -1;
    if (grid.cellWidth < 1 || grid.cellHeight < 1)
        return -1;
    const int column = x / grid.cellWidth;
    const int row = y / grid.cellHeight;
    const long long index =
        static_cast<long long>(grid.topIndex) + static_cast<long long>(row) * grid.columns + column;
    if (index < 0 || index >= grid.count)
        return -1;
    return static_cast<int>(index);
}

QRect CellRect(const Grid& grid, int cellNumber)
{
    const int column = cellNumber % grid.columns;
    const int row = cellNumber / grid.columns;
    return QRect(column * grid.cellWidth, row * grid.cellHeight, grid.cellWidth,
                 grid.cellHeight);
}

std::vector<PaintedCell> PaintWalk(const Grid& grid, int clientBottom)
{
    std::vector<PaintedCell> cells;
    if (grid.topIndex < 0 || grid.topIndex >= grid.count)
        return cells;
    int column = 0;
    int row = 0;
    for (int index = grid.topIndex; index < grid.count; ++index) {
        const int top = row * grid.cellHeight;
        cells.push_back({index, QRect(column * grid.cellWidth, top, grid.cellWidth,
                                      grid.cellHeight)});
        // The stop test follows the copy: the first cell below the client is still painted.
        if (clientBottom < top)
            break;
        if (++column == grid.columns) {
            column = 0;
            ++row;
        }
    }
    return cells;
}

} // namespace GridGeometry

} // namespace mosgrid
