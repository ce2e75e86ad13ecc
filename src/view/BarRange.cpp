#include "view/BarRange.h"

#include <algorithm>
#include <cmath>

namespace mosgrid {

BarRange BarRange::Newest(int total, int count)
{
    return BarRange{total, count, total}.Clamped();
}

int BarRange::MinCount(int total)
{
    return std::clamp(total, 1, kMinBars);
}

int BarRange::MaxCount(int total)
{
    return std::clamp(total, 1, kMaxBars);
}

BarRange BarRange::Clamped() const
{
    BarRange range = *this;
    range.total = std::max(total, 0);
    range.count = std::clamp(count, MinCount(range.total), MaxCount(range.total));
    range.end = std::clamp(end, std::min(range.count, range.total), range.total);
    return range;
}

BarRange BarRange::ZoomedAround(int newCount, int anchor) const
{
    const BarRange from = Clamped();
    BarRange to = from;
    to.count = std::clamp(newCount, MinCount(total), MaxCount(total));
    if (from.count <= 0)
        return to.Clamped();
    // The anchor's share of the screen from the left stays the same.
    const double share = std::clamp(double(anchor - from.first()) / from.count, 0.0, 1.0);
    const int newFirst = anchor - int(std::lround(share * to.count));
    to.end = newFirst + to.count;
    return to.Clamped();
}

BarRange BarRange::ZoomedIn(int anchor) const
{
    const int fewer = int(std::lround(count / kZoomStep));
    return ZoomedAround(std::min(fewer, count - 1), anchor);
}

BarRange BarRange::ZoomedOut(int anchor) const
{
    const int more = int(std::lround(count * kZoomStep));
    return ZoomedAround(std::max(more, count + 1), anchor);
}

BarRange BarRange::Scrolled(int bars) const
{
    BarRange range = Clamped();
    range.end += bars;
    return range.Clamped();
}

BarRange BarRange::Oldest() const
{
    BarRange range = Clamped();
    range.end = range.count;
    return range.Clamped();
}

BarRange BarRange::NewestEnd() const
{
    BarRange range = Clamped();
    range.end = range.total;
    return range.Clamped();
}

BarRange BarRange::Resized(int newTotal, int newEnd) const
{
    BarRange range{newTotal, count, atNewest() ? newTotal : newEnd};
    return range.Clamped();
}

} // namespace mosgrid
