#include "export/ExportLayout.h"

#include <algorithm>
#include <cmath>

namespace mosgrid {

namespace ExportLayout {

PageGrid FitPage(QSizeF area, QSize thumbnail)
{
    PageGrid grid;
    if (thumbnail.isEmpty() || area.isEmpty()) {
        grid.cell = area;
        return grid;
    }
    const double aspect = double(thumbnail.height()) / thumbnail.width();
    const double smallest = thumbnail.width() * kPointsPerInch / kMaxPixelsPerInch;
    grid.columns = std::max(1, int(std::floor(area.width() / smallest)));
    double width = area.width() / grid.columns;
    // A thumbnail taller than the whole area: shrink it to the area's height, and fit as
    // many of those in a row as there is room for.
    if (width * aspect > area.height()) {
        width = area.height() / aspect;
        grid.columns = std::max(1, int(std::floor(area.width() / width + 1e-9)));
    }
    grid.cell = QSizeF(width, width * aspect);
    grid.rows = std::max(1, int(std::floor(area.height() / grid.cell.height() + 1e-9)));
    return grid;
}

std::vector<Range> Split(int count, int perRun)
{
    std::vector<Range> runs;
    const int step = std::max(1, perRun);
    for (int first = 0; first < count; first += step)
        runs.push_back(Range{first, std::min(step, count - first)});
    if (runs.empty())
        runs.push_back(Range{0, 0});
    return runs;
}

SheetGrid FitSheet(int count, QSize thumbnail)
{
    SheetGrid sheet;
    const int width = std::max(1, thumbnail.width());
    sheet.columns = std::clamp(kMaxSheetWidth / width, 1, std::max(count, 1));
    sheet.rows = count > 0 ? (count + sheet.columns - 1) / sheet.columns : 0;
    sheet.size = QSize(std::max(sheet.columns * width, kMinSheetWidth),
                       kSheetHeaderHeight + sheet.rows * std::max(0, thumbnail.height()));
    return sheet;
}

std::vector<Range> SplitSheets(int count, QSize thumbnail)
{
    const int columns = FitSheet(count, thumbnail).columns;
    const int rows = std::max(1, (kMaxSheetHeight - kSheetHeaderHeight)
                                     / std::max(1, thumbnail.height()));
    return Split(count, columns * rows);
}

} // namespace ExportLayout

} // namespace mosgrid
