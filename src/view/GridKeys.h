#pragma once

namespace mosgrid {

// Moving the selection with the keyboard, as a pure function of the grid's shape. Positions
// count the cells as shown; the top index may stand anywhere in its row (a dragged thumb) and
// keeps its place in the row when the grid scrolls.
namespace GridKeys {

enum class Key { Left, Right, Up, Down, Home, End, PageUp, PageDown, Escape };

struct State {
    int count = 0;          // positions shown
    int columns = 1;
    int rowsOnScreen = 1;   // rows wholly on screen, at least 1
    int selected = -1;      // position, -1: none
    int topIndex = 0;
};

struct Result {
    int selected = -1;
    int topIndex = 0;
};

// The selection after the key, and the top index that keeps it on screen by whole rows.
// With nothing selected, every key but Home, End and Escape selects the top-left cell.
Result Move(const State& state, Key key);

// The top index that brings position on screen, moving by whole rows from state.topIndex
// (to 0 when rows above would start before the first position).
int TopIndexShowing(const State& state, int position);

} // namespace GridKeys

} // namespace mosgrid
