#include "view/VisibleFirst.h"

#include <algorithm>

namespace mosgrid {

VisibleFirstOrder MakeVisibleFirstOrder(const GridGeometry::Grid& grid, int clientHeight,
                                        Travel travel)
{
    VisibleFirstOrder result;
    const int count = grid.count;
    const int top = std::clamp(grid.topIndex, 0, std::max(count, 0));
    if (count <= 0 || grid.columns < 1 || grid.cellHeight < 1)
        return result;
    const long long rows = std::max(1, (std::max(clientHeight, 1) + grid.cellHeight - 1)
                                           / grid.cellHeight);
    const long long perScreen = rows * grid.columns;
    const long long screensBelow = travel == Travel::Down ? kScreensAhead : 1;
    const long long screensAbove = travel == Travel::Up ? kScreensAhead : 1;
    const int screenEnd = static_cast<int>(std::min<long long>(count, top + perScreen));
    const int belowEnd = static_cast<int>(
        std::min<long long>(count, screenEnd + screensBelow * perScreen));
    const int aboveBegin =
        static_cast<int>(std::max<long long>(0, top - screensAbove * perScreen));

    result.order.reserve(static_cast<std::size_t>(count - top) + (top - aboveBegin));
    for (int i = top; i < screenEnd; ++i)
        result.order.push_back(i);
    result.onScreenCount = result.order.size();
    const auto below = [&] {
        for (int i = screenEnd; i < belowEnd; ++i)
            result.order.push_back(i);
    };
    const auto above = [&] {
        for (int i = top - 1; i >= aboveBegin; --i)
            result.order.push_back(i);
    };
    // The way the grid moves first: those are the next to be shown.
    if (travel == Travel::Up) {
        above();
        below();
    } else {
        below();
        above();
    }
    result.priorityCount = result.order.size();
    for (int i = belowEnd; i < count; ++i)
        result.order.push_back(i);
    return result;
}

VisibleFirstOrder ItemsOf(VisibleFirstOrder positions, const ShownOrder& order)
{
    if (order.isIdentity())
        return positions;
    VisibleFirstOrder items;
    items.priorityCount = positions.priorityCount;
    items.onScreenCount = positions.onScreenCount;
    items.order.reserve(static_cast<std::size_t>(order.count()));
    std::vector<bool> taken(static_cast<std::size_t>(order.count()), false);
    for (const int position : positions.order) {
        const int item = order.ItemAt(position);
        if (item < 0)
            continue;
        taken[position] = true;
        items.order.push_back(item);
    }
    for (int position = 0; position < order.count(); ++position) {
        if (!taken[position])
            items.order.push_back(order.ItemAt(position));
    }
    return items;
}

} // namespace mosgrid
