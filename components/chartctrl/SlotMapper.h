#pragma once

#include <cstddef>
#include <vector>

namespace quorex::chart {

// Spreads `count` bars over `width` pixels from `left`: each bar gets an equal slot, its
// centre column and a body width that leaves a gap to its neighbours.
class SlotMapper {
public:
    SlotMapper(int left, int width, int count);

    int count() const { return m_count; }
    double slotWidth() const { return m_slot; }
    int Centre(int index) const
    {
        // floor() without a library call: charts call this for every point they draw.
        const double column = (index + 0.5) * m_slot;
        const int whole = static_cast<int>(column);
        return m_left + whole - (column < whole ? 1 : 0);
    }
    // The x of every bar's points, bars 0 to count - 1: the middle of its centre column.
    // Worked out once for all the lines of a pane.
    std::vector<double> PointColumns(std::size_t count) const;
    int BodyWidth() const { return m_bodyWidth; }
    // The first column of bar `index`'s body (and volume bar). The wick's column, Centre,
    // is the body's middle, or the left one of its two middles when the width is even.
    int BodyLeft(int index) const { return Centre(index) - (m_bodyWidth - 1) / 2; }
    // The column where bar `index`'s slot begins (the boundary after bar index - 1).
    int Boundary(int index) const;

    // From this slot width on a body is at least two pixels wide.
    static constexpr double kWideBodySlot = 3;

private:
    int m_left;
    int m_count;
    double m_slot;
    int m_bodyWidth;
};

} // namespace quorex::chart
