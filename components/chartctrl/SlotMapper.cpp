#include "SlotMapper.h"

#include <algorithm>
#include <cmath>

namespace quorex::chart {

namespace {

// A body fills this share of its slot; very wide columns (few bars) stay slimmer.
constexpr double kBodyShare = 0.75;
constexpr double kWideBodyShare = 0.6;
constexpr double kWideSlot = 24;

} // namespace

SlotMapper::SlotMapper(int left, int width, int count)
    : m_left(left), m_count(std::max(count, 1)), m_slot(std::max(width, 0) / double(m_count))
{
    const double share = m_slot >= kWideSlot ? kWideBodyShare : kBodyShare;
    int body = static_cast<int>(std::floor(m_slot * share + 0.5));
    body = std::min(body, static_cast<int>(m_slot) - 1);
    if (body % 2 == 0)
        --body;
    m_bodyWidth = std::max(body, 1);
}

int SlotMapper::Centre(int index) const
{
    return m_left + static_cast<int>(std::floor((index + 0.5) * m_slot));
}

int SlotMapper::Boundary(int index) const
{
    return m_left + static_cast<int>(std::floor(index * m_slot));
}

} // namespace quorex::chart
