#include "model/ShownOrder.h"

#include <algorithm>

namespace mosgrid {

ShownOrder ShownOrder::Identity(int itemCount)
{
    ShownOrder order;
    order.m_nItemCount = std::max(itemCount, 0);
    return order;
}

ShownOrder::ShownOrder(std::vector<int> items, int itemCount)
    : m_bIdentity(false)
    , m_nItemCount(std::max(itemCount, 0))
    , m_positions(static_cast<std::size_t>(m_nItemCount), -1)
{
    m_items.reserve(items.size());
    for (const int item : items) {
        // An item out of range or shown twice would make two cells one security.
        if (item < 0 || item >= m_nItemCount || m_positions[item] >= 0)
            continue;
        m_positions[item] = static_cast<int>(m_items.size());
        m_items.push_back(item);
    }
    const bool identity = m_items.size() == static_cast<std::size_t>(m_nItemCount)
        && std::is_sorted(m_items.begin(), m_items.end());
    if (identity)
        *this = Identity(m_nItemCount);
}

int ShownOrder::count() const
{
    return m_bIdentity ? m_nItemCount : static_cast<int>(m_items.size());
}

int ShownOrder::ItemAt(int position) const
{
    if (position < 0 || position >= count())
        return -1;
    return m_bIdentity ? position : m_items[position];
}

int ShownOrder::PositionOf(int item) const
{
    if (item < 0 || item >= m_nItemCount)
        return -1;
    return m_bIdentity ? item : m_positions[item];
}

bool ShownOrder::operator==(const ShownOrder& other) const
{
    return m_bIdentity == other.m_bIdentity && m_nItemCount == other.m_nItemCount
        && m_items == other.m_items;
}

} // namespace mosgrid
