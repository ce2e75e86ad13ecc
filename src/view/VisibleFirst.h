#pragma once

#include "view/GridGeometry.h"
#include "model/ShownOrder.h"

#include <cstddef>
#include <vector>

namespace mosgrid {

// The order in which a grid's thumbnails are made: the cells on screen, then the screens
// around it kept ready for scrolling (a screenful below and one above; kScreensAhead of them
// the way the grid last moved), then every cell after the screen. Cell indices; the cells
// before those kept ready come last, left to the builder.
enum class Travel { None, Down, Up };
inline constexpr int kScreensAhead = 3;

struct VisibleFirstOrder {
    std::vector<int> order;
    std::size_t priorityCount = 0;   // on screen and the rows around it
    std::size_t onScreenCount = 0;   // the first entries of order
};

VisibleFirstOrder MakeVisibleFirstOrder(const GridGeometry::Grid& grid, int clientHeight,
                                        Travel travel = Travel::None);

// The same order in items, read through the shown order. For a sorted or filtered grid the
// shown cells before the screen follow (in shown order); items not shown are left to the
// builder, which makes them last (their facts still sort). The identity changes nothing.
VisibleFirstOrder ItemsOf(VisibleFirstOrder positions, const ShownOrder& order);

} // namespace mosgrid
