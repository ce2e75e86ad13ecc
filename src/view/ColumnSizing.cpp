#include "view/ColumnSizing.h"

#include <algorithm>
#include <cmath>

namespace mosgrid {

namespace ColumnSizing {

namespace {

// Stored sizes are usable (1..4096); the fitted ones stay within the same bounds.
constexpr int kMaxSide = 4096;

} // namespace

QSize ThumbnailSize(int gridWidth, int columns, QSize stored)
{
    if (columns <= 0 || stored.width() <= 0 || stored.height() <= 0)
        return stored;
    const int width = std::clamp(gridWidth / columns, 1, kMaxSide);
    const long long height = (static_cast<long long>(width) * stored.height()
                              + stored.width() / 2) / stored.width();
    return QSize(width, static_cast<int>(std::clamp<long long>(height, 1, kMaxSide)));
}

int StepColumns(int columns, int direction)
{
    const int from = std::clamp(columns, kMinColumns, kMaxColumns);
    return std::clamp(from - direction, kMinColumns, kMaxColumns);
}

QSize StepSize(QSize size, int direction, int minSide, int maxSide)
{
    if (size.width() <= 0 || size.height() <= 0)
        return size;
    const double factor = direction > 0 ? 1.0 + kSizeStep : 1.0 / (1.0 + kSizeStep);
    // Whole sides scale by the same factor, limited so neither leaves its range.
    const double lowest = std::max(double(minSide) / size.width(),
                                   double(minSide) / size.height());
    const double highest = std::min(double(maxSide) / size.width(),
                                    double(maxSide) / size.height());
    const double applied = std::clamp(factor, std::min(lowest, 1.0), std::max(highest, 1.0));
    return QSize(std::clamp(int(std::lround(size.width() * applied)), minSide, maxSide),
                 std::clamp(int(std::lround(size.height() * applied)), minSide, maxSide));
}

} // namespace ColumnSizing

} // namespace mosgrid
