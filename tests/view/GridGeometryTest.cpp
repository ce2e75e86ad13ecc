#include "view/GridGeometry.h"
#include "view/GridScrollBar.h"

#include <QScrollBar>

#include <algorithm>
#include <optional>

#include <gtest/gtest.h>

using namespace mosgrid;

namespace {

using GridGeometry::Grid;

struct HitCase {
    const char* name;
    Grid grid;
    int x;
    int y;
    int expected;
};

void PrintTo(const HitCase& c, std::ostream* os)
{
    *os << c.name;
}

class HitTestTable : public ::testing::TestWithParam<HitCase> {};

TEST_P(HitTestTable, FindsTheThumbnailUnderThePoint)
{
    const HitCase& c = GetParam();
    EXPECT_EQ(GridGeometry::HitTest(c.grid, c.x, c.y), c.expected);
}

// Ten thumbnails of 100 x 50 in three columns.
constexpr Grid kTen{3, 100, 50, 0, 10};

const HitCase kHitCases[] = {
    {"FirstCell", kTen, 0, 0, 0},
    {"LastPixelOfFirstCell", kTen, 99, 49, 0},
    {"SecondColumn", kTen, 100, 0, 1},
    {"Row3Column0IsItem9", kTen, 10, 3 * 50 + 10, 9},
    {"Row3Column1IsPastTheEnd", kTen, 110, 3 * 50 + 10, -1},
    {"RightOfTheLastColumn", kTen, 300, 10, -1},
    {"FarRight", kTen, 5000, 10, -1},
    {"BelowEverything", kTen, 10, 10000, -1},
    {"TopIndexShiftsTheGrid", {3, 100, 50, 4, 10}, 10, 10, 4},
    {"TopIndexNotAMultipleOfColumns", {3, 100, 50, 5, 10}, 110, 60, 9},
    {"TopIndexLastItem", {3, 100, 50, 9, 10}, 110, 10, -1},
    {"EmptyCatalog", {3, 100, 50, 0, 0}, 10, 10, -1},
    {"OneColumnNarrowClient", {1, 300, 180, 0, 2}, 250, 200, 1},
};

INSTANTIATE_TEST_SUITE_P(Grid, HitTestTable, ::testing::ValuesIn(kHitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridColumns, WidthDividedByCellWidthAtLeastOne)
{
    const struct {
        int width;
        int cell;
        int columns;
    } rows[] = {{900, 300, 3}, {899, 300, 2}, {299, 300, 1}, {0, 300, 1}, {1000, 1, 1000},
                {100, 0, 1}, {100, -5, 1}};
    for (const auto& row : rows)
        EXPECT_EQ(GridGeometry::ColumnsFor(row.width, row.cell), row.columns)
            << row.width << " / " << row.cell;
}

std::vector<int> WalkIndexes(const Grid& grid, int bottom)
{
    std::vector<int> indexes;
    for (const auto& cell : GridGeometry::PaintWalk(grid, bottom))
        indexes.push_back(cell.index);
    return indexes;
}

TEST(GridPaintWalk, PaintsEveryRowStartingWithinTheClientThenOneCellMore)
{
    // 20 thumbnails of 100 x 50 in three columns.
    const Grid grid{3, 100, 50, 0, 20};
    // Height 120: rows at 0, 50 and 100 start within it; the walk ends after the first cell
    // of the row at 150.
    EXPECT_EQ(WalkIndexes(grid, 120), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    // An exact multiple: the row that starts at the bottom edge is painted whole, then one
    // cell of the row after it.
    EXPECT_EQ(WalkIndexes(grid, 100), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(WalkIndexes(grid, 99), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
}

TEST(GridPaintWalk, StartsAtTheTopIndexWhereverItLiesInItsRow)
{
    const Grid grid{3, 100, 50, 4, 10};
    const auto cells = GridGeometry::PaintWalk(grid, 1000);
    ASSERT_EQ(cells.size(), 6u);
    EXPECT_EQ(cells[0].index, 4);
    EXPECT_EQ(cells[0].rect, QRect(0, 0, 100, 50));
    EXPECT_EQ(cells[3].index, 7);
    EXPECT_EQ(cells[3].rect, QRect(0, 50, 100, 50));
    EXPECT_EQ(cells[5].rect, QRect(200, 50, 100, 50));
}

TEST(GridPaintWalk, NothingAtOrBeyondTheEnd)
{
    EXPECT_TRUE(WalkIndexes({3, 100, 50, 10, 10}, 500).empty());
    EXPECT_TRUE(WalkIndexes({3, 100, 50, 12, 10}, 500).empty());
    EXPECT_TRUE(WalkIndexes({3, 100, 50, 0, 0}, 500).empty());
}

struct ScrollCase {
    const char* name;
    int action;  // QAbstractSlider::SliderAction
    int position;
    std::optional<int> expected;
};

void PrintTo(const ScrollCase& c, std::ostream* os)
{
    *os << c.name;
}

class ScrollTable : public ::testing::TestWithParam<ScrollCase> {};

// Ten thumbnails, three columns: the bar runs 0..7, a step is one row of three.
TEST_P(ScrollTable, NewTopIndex)
{
    const ScrollCase& c = GetParam();
    QScrollBar bar(Qt::Vertical);
    GridScrollBar scroll(&bar);
    scroll.SetRange(10, 3);
    scroll.SetPosition(c.position);
    if (c.action == QAbstractSlider::SliderMove)
        bar.setSliderPosition(c.position);  // a drag reports where the thumb stands
    EXPECT_EQ(scroll.TopFor(c.action), c.expected);
}

const ScrollCase kScrollCases[] = {
    {"LineUp", QAbstractSlider::SliderSingleStepSub, 6, 3},
    {"LineUpStopsAtMinimum", QAbstractSlider::SliderSingleStepSub, 2, 0},
    {"LineDown", QAbstractSlider::SliderSingleStepAdd, 3, 6},
    {"LineDownPastTheLastPageToTheLastItem", QAbstractSlider::SliderSingleStepAdd, 7, 9},
    {"LineDownFrom6", QAbstractSlider::SliderSingleStepAdd, 6, 9},
    {"PageUp", QAbstractSlider::SliderPageStepSub, 4, 1},
    {"PageDown", QAbstractSlider::SliderPageStepAdd, 1, 4},
    {"PageDownStopsAtMaximum", QAbstractSlider::SliderPageStepAdd, 7, 9},
    {"DragToAnItem", QAbstractSlider::SliderMove, 5, 5},
    {"Top", QAbstractSlider::SliderToMinimum, 5, 0},
    {"Bottom", QAbstractSlider::SliderToMaximum, 0, 9},
    {"NoActionChangesNothing", QAbstractSlider::SliderNoAction, 5, std::nullopt},
    {"UnknownActionChangesNothing", 42, 5, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Actions, ScrollTable, ::testing::ValuesIn(kScrollCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridScrollBarRange, BarRunsToTheLastFullRow)
{
    QScrollBar bar(Qt::Vertical);
    GridScrollBar scroll(&bar);
    scroll.SetRange(10, 3);
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 7);
    EXPECT_EQ(bar.pageStep(), 3);
    EXPECT_TRUE(scroll.CanScroll());

    // Line down from 6 sets the top index to 9 while the bar stands at its last position, 7;
    // the next line up starts from the bar: 4.
    scroll.SetPosition(6);
    const std::optional<int> top = scroll.TopFor(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(top, 9);
    scroll.SetPosition(*top);
    EXPECT_EQ(scroll.Position(), 7);
    EXPECT_EQ(scroll.TopFor(QAbstractSlider::SliderSingleStepSub), 4);
}

TEST(GridScrollBarRange, RowHoldingEveryThumbnailLeavesNothingToScroll)
{
    QScrollBar bar(Qt::Vertical);
    GridScrollBar scroll(&bar);
    const struct {
        int count;
        int columns;
        bool canScroll;
    } rows[] = {{0, 3, false}, {1, 3, false}, {3, 3, false}, {4, 3, true}, {10, 10, false},
                {10, 9, true}};
    for (const auto& row : rows) {
        scroll.SetRange(row.count, row.columns);
        EXPECT_EQ(scroll.CanScroll(), row.canScroll) << row.count << "/" << row.columns;
        // The page never exceeds what there is to show, and is at least one position.
        EXPECT_LE(bar.pageStep(), std::max(row.count, 1));
        EXPECT_GE(bar.pageStep(), 1);
    }
}

TEST(GridScrollBarRange, ShrinkingTheRangeClampsThePositionOnly)
{
    QScrollBar bar(Qt::Vertical);
    GridScrollBar scroll(&bar);
    scroll.SetRange(100, 3);
    scroll.SetPosition(90);
    scroll.SetRange(10, 3);
    EXPECT_EQ(scroll.Position(), 7);
}

} // namespace
