#include "view/GridKeys.h"

#include <algorithm>

namespace mosgrid {

namespace GridKeys {

namespace {

int CeilDiv(int a, int b)
{
    return (a + b - 1) / b;
}

// The row of a position, counted from the top index's row (negative above it).
int RowOf(const State& s, int position)
{
    const int offset = position - s.topIndex;
    return offset >= 0 ? offset / s.columns : -CeilDiv(-offset, s.columns);
}

// Steps of whole rows, up to `rows` of them, that stay within 0 .. count - 1; the far end
// when not even one row fits.
int PageStep(const State& s, int from, int direction)
{
    const int rows = std::max(1, s.rowsOnScreen);
    for (int k = rows; k >= 1; --k) {
        const long long to = from + static_cast<long long>(direction) * k * s.columns;
        if (to >= 0 && to < s.count)
            return static_cast<int>(to);
    }
    return direction < 0 ? 0 : s.count - 1;
}

int Moved(const State& s, Key key)
{
    const int from = s.selected;
    const int last = s.count - 1;
    switch (key) {
    case Key::Left:
        return std::max(from - 1, 0);
    case Key::Right:
        return std::min(from + 1, last);
    case Key::Up:
        return from - s.columns >= 0 ? from - s.columns : from;
    case Key::Down:
        if (from + s.columns <= last)
            return from + s.columns;
        // A shorter last row: the last cell, when it lies in a row below.
        return RowOf(s, last) > RowOf(s, from) ? last : from;
    case Key::Home:
        return 0;
    case Key::End:
        return last;
    case Key::PageUp:
        return PageStep(s, from, -1);
    case Key::PageDown:
        return PageStep(s, from, 1);
    case Key::Escape:
        return -1;
    }
    return from;
}

} // namespace

int TopIndexShowing(const State& state, int position)
{
    const int columns = std::max(1, state.columns);
    const int rows = std::max(1, state.rowsOnScreen);
    int top = state.topIndex;
    if (position < 0)
        return top;
    if (position < top) {
        top -= CeilDiv(top - position, columns) * columns;
        return std::max(top, 0);
    }
    const long long screenEnd = top + static_cast<long long>(rows) * columns;
    if (position >= screenEnd)
        top += CeilDiv(static_cast<int>(position - screenEnd) + 1, columns) * columns;
    return top;
}

Result Move(const State& state, Key key)
{
    State s = state;
    s.columns = std::max(1, s.columns);
    if (key == Key::Escape)
        return {-1, s.topIndex};
    if (s.count <= 0)
        return {-1, s.topIndex};
    if (s.selected < 0 || s.selected >= s.count) {
        if (key != Key::Home && key != Key::End) {
            // The top-left cell on screen; a top index past the end shows nothing, so the
            // last cell then.
            const int first = std::clamp(s.topIndex, 0, s.count - 1);
            return {first, TopIndexShowing(s, first)};
        }
        s.selected = 0;
    }
    const int selected = Moved(s, key);
    return {selected, TopIndexShowing(s, selected)};
}

} // namespace GridKeys

} // namespace mosgrid
