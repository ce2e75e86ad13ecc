// Thumbnails that fit the window: the size for a column count over window widths, and the
// steps of Ctrl+plus and Ctrl+minus.
#include "view/ColumnSizing.h"
#include "view/GridGeometry.h"

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

TEST(ColumnSizing, WidthDividedByColumnsHeightFollowsTheRatio)
{
    struct Row {
        int gridWidth;
        int columns;
        QSize stored;
        QSize expected;
    };
    const Row rows[] = {
        {1600, 0, {300, 180}, {300, 180}},     // off: the fixed size whatever the width
        {1600, -3, {300, 180}, {300, 180}},    // a hand-edited negative count is off too
        {1584, 4, {300, 180}, {396, 238}},     // 237.6 rounds to 238
        {1584, 4, {600, 360}, {396, 238}},     // only the ratio of the stored size counts
        {1000, 3, {300, 180}, {333, 200}},     // the remainder stays black at the right
        {800, 12, {300, 300}, {66, 66}},
        {5, 12, {300, 180}, {1, 1}},           // a tiny window still gives a drawable size
        {30000, 2, {300, 180}, {4096, 2458}},  // no side beyond the usable maximum
        {1000, 2, {100, 4000}, {500, 4096}},
    };
    for (const Row& row : rows) {
        const QSize size = ColumnSizing::ThumbnailSize(row.gridWidth, row.columns, row.stored);
        EXPECT_EQ(size, row.expected) << row.gridWidth << " / " << row.columns;
        if (row.columns > 0 && size.width() < 4096 && size.width() > 1) {
            // The grid then shows exactly that many columns.
            EXPECT_EQ(GridGeometry::ColumnsFor(row.gridWidth, size.width()), row.columns)
                << row.gridWidth;
        }
    }
}

TEST(ColumnSizing, StepsStayInTheirRanges)
{
    struct ColumnRow {
        int columns;
        int direction;
        int expected;
    };
    const ColumnRow columnRows[] = {
        {4, 1, 3}, {4, -1, 5}, {2, 1, 2}, {12, -1, 12}, {40, 1, 11}, {1, -1, 3},
    };
    for (const ColumnRow& row : columnRows)
        EXPECT_EQ(ColumnSizing::StepColumns(row.columns, row.direction), row.expected)
            << row.columns << " " << row.direction;

    struct SizeRow {
        QSize size;
        int direction;
        QSize expected;
    };
    const SizeRow sizeRows[] = {
        {{300, 180}, 1, {330, 198}},
        {{330, 198}, -1, {300, 180}},
        {{300, 180}, -1, {273, 164}},
        {{12, 10}, -1, {12, 10}},          // the smaller side is at the page's minimum
        {{4000, 100}, 1, {4096, 102}},     // the larger side stops at the maximum
        {{4096, 2000}, 1, {4096, 2000}},
    };
    for (const SizeRow& row : sizeRows)
        EXPECT_EQ(ColumnSizing::StepSize(row.size, row.direction, 10, 4096), row.expected)
            << row.size.width() << "x" << row.size.height() << " " << row.direction;
}

} // namespace
