#pragma once

namespace quorex::chart {

// Spreads `count` bars over `width` pixels from `left`: each bar gets an equal slot, its
// centre column and an odd body width that leaves a gap to its neighbours.
class SlotMapper {
public:
    SlotMapper(int left, int width, int count);

    int count() const { return m_count; }
    double slotWidth() const { return m_slot; }
    int Centre(int index) const;
    int BodyWidth() const { return m_bodyWidth; }
    // The column where bar `index`'s slot begins (the boundary after bar index - 1).
    int Boundary(int index) const;

private:
    int m_left;
    int m_count;
    double m_slot;
    int m_bodyWidth;
};

} // namespace quorex::chart
