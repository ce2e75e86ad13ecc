#include "view/GridGeometry.h"
#include "view/WinScrollBar.h"

#include <QScrollBar>

#include <gtest/gtest.h>

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
    int code;
    ScrollInfo info;
    int track;
    std::optional<int> expected;
};

void PrintTo(const ScrollCase& c, std::ostream* os)
{
    *os << c.name;
}

class ScrollTable : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(ScrollTable, NewTopIndex)
{
    const ScrollCase& c = GetParam();
    EXPECT_EQ(ScrollTarget(c.code, c.info, c.track), c.expected);
}

// Ten thumbnails, three columns: range 0..9, page 3.
constexpr ScrollInfo At(int pos)
{
    return {0, 9, 3, pos};
}

const ScrollCase kScrollCases[] = {
    {"LineUp", SB_LINEUP, At(6), 0, 3},
    {"LineUpStopsAtMinimum", SB_LINEUP, At(2), 0, 0},
    {"LineDown", SB_LINEDOWN, At(3), 0, 6},
    {"LineDownPastTheLastPageToTheLastItem", SB_LINEDOWN, At(7), 0, 9},
    {"LineDownFrom6", SB_LINEDOWN, At(6), 0, 9},
    {"PageUp", SB_PAGEUP, At(4), 0, 1},
    {"PageDown", SB_PAGEDOWN, At(1), 0, 4},
    {"PageDownStopsAtMaximum", SB_PAGEDOWN, At(7), 0, 9},
    {"ThumbPosition", SB_THUMBPOSITION, At(0), 5, 5},
    {"ThumbTrack", SB_THUMBTRACK, At(0), 4, 4},
    {"Top", SB_TOP, At(5), 0, 0},
    {"Bottom", SB_BOTTOM, At(0), 0, 9},
    {"EndScrollChangesNothing", SB_ENDSCROLL, At(5), 0, std::nullopt},
    {"UnknownCodeChangesNothing", 42, At(5), 0, std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Codes, ScrollTable, ::testing::ValuesIn(kScrollCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WinScrollBarMapping, ThumbPositionsRunToMaxMinusPagePlusOne)
{
    QScrollBar bar(Qt::Vertical);
    WinScrollBar scroll(&bar);
    scroll.SetRangeAndPage(0, 9, 3);
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 7);
    EXPECT_EQ(bar.pageStep(), 3);
    EXPECT_TRUE(scroll.CanScroll());

    // The documented case: line down from 6 sets the top index to 9 while the bar stands at
    // its last position, 7; the next line up starts from the bar: 4.
    scroll.SetScrollPos(6);
    auto top = ScrollTarget(SB_LINEDOWN, scroll.GetScrollInfo(), 0);
    ASSERT_EQ(top, 9);
    scroll.SetScrollPos(*top);
    EXPECT_EQ(scroll.GetScrollInfo().nPos, 7);
    EXPECT_EQ(ScrollTarget(SB_LINEUP, scroll.GetScrollInfo(), 0), 4);

    const ScrollInfo info = scroll.GetScrollInfo();
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 9);
    EXPECT_EQ(info.nPage, 3);
}

TEST(WinScrollBarMapping, PageCoveringTheRangeLeavesNothingToScroll)
{
    QScrollBar bar(Qt::Vertical);
    WinScrollBar scroll(&bar);
    const struct {
        int max;
        int page;
        bool canScroll;
    } rows[] = {{0, 3, false}, {2, 3, false}, {3, 3, true}, {9, 10, false}, {9, 9, true}};
    for (const auto& row : rows) {
        scroll.SetRangeAndPage(0, row.max, row.page);
        EXPECT_EQ(scroll.CanScroll(), row.canScroll) << row.max << "/" << row.page;
        // The page never exceeds what the range holds.
        EXPECT_LE(scroll.GetScrollInfo().nPage, row.max + 1);
    }
}

TEST(WinScrollBarMapping, ShrinkingTheRangeClampsThePositionOnly)
{
    QScrollBar bar(Qt::Vertical);
    WinScrollBar scroll(&bar);
    scroll.SetRangeAndPage(0, 99, 3);
    scroll.SetScrollPos(90);
    scroll.SetRangeAndPage(0, 9, 3);
    EXPECT_EQ(scroll.GetScrollInfo().nPos, 7);
}

} // namespace
