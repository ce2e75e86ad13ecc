#include "view/GridKeys.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace mosgrid;

namespace {

using GridKeys::Key;

// A grid shape, a key, and where selection and top index go.
struct KeyCase {
    const char* name;
    int count;
    int columns;
    int rows;
    int selected;
    int top;
    Key key;
    int expectedSelected;
    int expectedTop;
};

void PrintTo(const KeyCase& c, std::ostream* out)
{
    *out << c.name;
}

class KeyTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(KeyTable, MovesTheSelectionAndKeepsItOnScreenByWholeRows)
{
    const KeyCase& c = GetParam();
    GridKeys::State state;
    state.count = c.count;
    state.columns = c.columns;
    state.rowsOnScreen = c.rows;
    state.selected = c.selected;
    state.topIndex = c.top;
    const GridKeys::Result result = GridKeys::Move(state, c.key);
    EXPECT_EQ(result.selected, c.expectedSelected);
    EXPECT_EQ(result.topIndex, c.expectedTop);
}

// Shapes: 10 cells in 3 columns (a short last row), 12 in 4 (full rows), one column, one
// cell, nothing at all, and a top index dragged off the row starts (2 of 3 columns).
INSTANTIATE_TEST_SUITE_P(GridShapes, KeyTable, ::testing::Values(
    // name                        count cols rows sel top key         sel  top
    KeyCase{"NothingSelectedRightTakesTopLeft", 10, 3, 2, -1, 3, Key::Right, 3, 3},
    KeyCase{"NothingSelectedDownTakesTopLeft", 10, 3, 2, -1, 0, Key::Down, 0, 0},
    KeyCase{"NothingSelectedPageDownTakesTopLeft", 10, 3, 2, -1, 6, Key::PageDown, 6, 6},
    KeyCase{"NothingSelectedTopPastEndTakesLast", 10, 3, 2, -1, 12, Key::Left, 9, 9},
    KeyCase{"NothingSelectedHomeTakesFirst", 10, 3, 2, -1, 6, Key::Home, 0, 0},
    KeyCase{"NothingSelectedEndTakesLast", 10, 3, 2, -1, 0, Key::End, 9, 6},
    KeyCase{"RightStepsOne", 10, 3, 2, 4, 0, Key::Right, 5, 0},
    KeyCase{"RightIntoNextRowScrollsOneRow", 10, 3, 2, 5, 0, Key::Right, 6, 3},
    KeyCase{"RightAtLastStays", 10, 3, 2, 9, 6, Key::Right, 9, 6},
    KeyCase{"LeftAtFirstStays", 10, 3, 2, 0, 0, Key::Left, 0, 0},
    KeyCase{"LeftAboveTheScreenScrollsUp", 10, 3, 2, 3, 3, Key::Left, 2, 0},
    KeyCase{"UpInFirstRowStays", 10, 3, 2, 1, 0, Key::Up, 1, 0},
    KeyCase{"UpScrollsOneRow", 10, 3, 2, 4, 3, Key::Up, 1, 0},
    KeyCase{"DownScrollsOneRow", 10, 3, 2, 4, 0, Key::Down, 7, 3},
    KeyCase{"DownIntoShortLastRowTakesLast", 10, 3, 2, 8, 3, Key::Down, 9, 6},
    KeyCase{"DownInLastRowStays", 10, 3, 2, 9, 6, Key::Down, 9, 6},
    KeyCase{"DownFullRowsStaysInLastRow", 12, 4, 2, 9, 4, Key::Down, 9, 4},
    KeyCase{"HomeScrollsToTheStart", 12, 4, 2, 10, 4, Key::Home, 0, 0},
    KeyCase{"EndScrollsTheLastRowToTheBottom", 12, 4, 2, 1, 0, Key::End, 11, 4},
    KeyCase{"PageDownByTheRowsOnScreen", 12, 4, 2, 1, 0, Key::PageDown, 9, 4},
    KeyCase{"PageDownShortOfRowsTakesWhatFits", 12, 4, 2, 5, 0, Key::PageDown, 9, 4},
    KeyCase{"PageDownInLastRowTakesLast", 12, 4, 2, 9, 4, Key::PageDown, 11, 4},
    KeyCase{"PageUpByTheRowsOnScreen", 12, 4, 2, 10, 4, Key::PageUp, 2, 0},
    KeyCase{"PageUpInFirstRowTakesFirst", 12, 4, 2, 2, 0, Key::PageUp, 0, 0},
    KeyCase{"OneColumnDownScrolls", 5, 1, 3, 2, 0, Key::Down, 3, 1},
    KeyCase{"OneColumnPageDown", 5, 1, 3, 0, 0, Key::PageDown, 3, 1},
    KeyCase{"OneCellEveryKeyStays", 1, 3, 2, 0, 0, Key::Down, 0, 0},
    KeyCase{"EmptyGridSelectsNothing", 0, 3, 2, -1, 0, Key::Down, -1, 0},
    KeyCase{"EscapeClearsAndKeepsTheTop", 10, 3, 2, 4, 3, Key::Escape, -1, 3},
    KeyCase{"DraggedTopKeepsItsPhaseDown", 10, 3, 1, 3, 2, Key::Down, 6, 5},
    KeyCase{"DraggedTopUpPastStartGoesToZero", 10, 3, 1, 2, 2, Key::Left, 1, 0},
    KeyCase{"TopAtLastItemUpScrollsBack", 10, 3, 2, 9, 9, Key::Up, 6, 6},
    KeyCase{"SelectionOffScreenIsBroughtBack", 30, 3, 2, 27, 0, Key::Left, 26, 21}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

struct ShowCase {
    int count;
    int columns;
    int rows;
    int top;
    int position;
    int expectedTop;
};

TEST(GridKeysTopIndex, ScrollsByWholeRowsOnlyAsFarAsNeeded)
{
    const ShowCase cases[] = {
        {10, 3, 2, 0, 4, 0},    // already on screen
        {10, 3, 2, 0, 6, 3},    // one row below
        {10, 3, 2, 0, 9, 6},    // two rows below
        {10, 3, 2, 6, 1, 0},    // above
        {10, 3, 2, 5, 4, 2},    // a dragged top keeps its phase
        {10, 3, 2, 5, 0, 0},    // ... unless rows would start before the first cell
        {10, 3, 2, 3, -1, 3},   // nothing to show
    };
    for (const ShowCase& c : cases) {
        GridKeys::State state;
        state.count = c.count;
        state.columns = c.columns;
        state.rowsOnScreen = c.rows;
        state.topIndex = c.top;
        EXPECT_EQ(GridKeys::TopIndexShowing(state, c.position), c.expectedTop)
            << "top " << c.top << " position " << c.position;
    }
}

} // namespace
