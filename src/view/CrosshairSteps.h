#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace mosgrid {

// Moving the chart window's crosshair from bar to bar with keys. The picture is asked only
// which bar (by its date) lies under a column, so this holds for any layout and zoom.
namespace CrosshairSteps {

using DateAt = std::function<std::optional<std::int32_t>(int column)>;

// The middle column of the first bar after the one under `column` going `direction` (+1
// newer, -1 older) within [0, width); nothing at the edge. From a column without a bar
// (off the picture, say) the first bar met counts. When bars are narrower than a pixel,
// the next bar that has a column of its own.
std::optional<int> NeighbourBarColumn(int column, int direction, int width,
                                      const DateAt& dateAt);

// The middle row of the first band of rows (from the top) where `hasBar` holds: where a
// crosshair put up by a key starts, amid the panes (which adjoin, so usually all of them).
// Nothing when no row has bars.
std::optional<int> FirstBandMiddle(int height, const std::function<bool(int row)>& hasBar);

} // namespace CrosshairSteps

} // namespace mosgrid
