#pragma once

#include <optional>

class QScrollBar;

namespace mosgrid {

// The grid's vertical scroll bar. Its positions are shown positions of thumbnails: the bar runs
// from 0 to the last position that still starts a full row, and a line or a page step moves by
// one row. A step down may pass the bar's end and stop at the last thumbnail, so the grid's top
// index is the view's own and the bar follows it as far as it can.
class GridScrollBar {
public:
    explicit GridScrollBar(QScrollBar* bar);

    // count thumbnails in rows of columns. The position is kept, clamped into the new range;
    // the bar disappears when one row holds every thumbnail.
    void SetRange(int count, int columns);
    // The top index one of the bar's actions (a QAbstractSlider::SliderAction) asks for, from
    // the bar's position before it; nothing for an action that moves nothing.
    std::optional<int> TopFor(int action) const;
    int Position() const;
    void SetPosition(int position);
    // Whether there is anything to scroll (the bar is shown).
    bool CanScroll() const;

private:
    QScrollBar* m_bar;
    int m_nLast = 0;  // the last thumbnail's position, where a step down stops
    int m_nRow = 1;   // what a line or a page step moves
};

} // namespace mosgrid
