#include "view/CrosshairSteps.h"

namespace mosgrid {

namespace CrosshairSteps {

std::optional<int> NeighbourBarColumn(int column, int direction, int width,
                                      const DateAt& dateAt)
{
    const int step = direction < 0 ? -1 : 1;
    const std::optional<std::int32_t> from =
        column >= 0 && column < width ? dateAt(column) : std::nullopt;
    for (int x = column + step; x >= 0 && x < width; x += step) {
        const std::optional<std::int32_t> date = dateAt(x);
        if (!date || date == from)
            continue;
        // The bar's other side, then its middle.
        int end = x;
        while (end + step >= 0 && end + step < width && dateAt(end + step) == date)
            end += step;
        return (x + end) / 2;
    }
    return std::nullopt;
}

std::optional<int> FirstBandMiddle(int height, const std::function<bool(int row)>& hasBar)
{
    for (int top = 0; top < height; ++top) {
        if (!hasBar(top))
            continue;
        int bottom = top;
        while (bottom + 1 < height && hasBar(bottom + 1))
            ++bottom;
        return (top + bottom) / 2;
    }
    return std::nullopt;
}

} // namespace CrosshairSteps

} // namespace mosgrid
