#pragma once

#include <QSize>
#include <QSizeF>

#include <vector>

namespace mosgrid {

// Where thumbnails go on exported pages and sheets: pure functions of sizes and counts.
namespace ExportLayout {

// The densest print that keeps a thumbnail legible: a thumbnail pixel no smaller than
// 1/144 inch keeps the 9-point label (12 pixels high) about 6 points tall on paper.
inline constexpr double kMaxPixelsPerInch = 144;
inline constexpr double kPointsPerInch = 72;

// A page's grid: whole rows of whole thumbnails, the cell size in points.
struct PageGrid {
    int columns = 1;
    int rows = 1;
    QSizeF cell;
    int perPage() const { return columns * rows; }
};

// As many columns as fit at the densest legible print, the width shared out among them,
// then as many whole rows as fit; a thumbnail larger than the area is shrunk to fit it.
PageGrid FitPage(QSizeF area, QSize thumbnail);

// A run of consecutive positions: one page, one band of a sheet, one batch of files.
struct Range {
    int first = 0;
    int count = 0;
    friend bool operator==(const Range&, const Range&) = default;
};

// count positions in runs of perRun; at least one run (an empty catalog still has a page).
std::vector<Range> Split(int count, int perRun);

// The contact sheet: a header band over rows of thumbnails at their own size, no wider than
// kMaxSheetWidth where there are more thumbnails than one row holds.
inline constexpr int kMaxSheetWidth = 4096;
inline constexpr int kSheetHeaderHeight = 28;
inline constexpr int kMinSheetWidth = 480;  // room for the header's texts

struct SheetGrid {
    int columns = 1;
    int rows = 0;
    QSize size;  // header included
};

SheetGrid FitSheet(int count, QSize thumbnail);

// Taller sheets are split: many viewers refuse a picture taller than this.
inline constexpr int kMaxSheetHeight = 16384;

// The thumbnails of each sheet of a catalog: runs of whole rows, as many as fit under
// kMaxSheetHeight (at least one row, however tall).
std::vector<Range> SplitSheets(int count, QSize thumbnail);

} // namespace ExportLayout

} // namespace mosgrid
