#include "model/CatalogSelection.h"

#include "model/ShownOrder.h"

#include <algorithm>

namespace mosgrid {

bool CatalogSelection::contains(int item) const
{
    return item >= 0 && std::ranges::binary_search(m_items, item);
}

std::vector<int> CatalogSelection::InShownOrder(const ShownOrder& order) const
{
    std::vector<int> items = m_items;
    // Not shown (-1) sorts after every position.
    const auto rank = [&order](int item) {
        const int position = order.PositionOf(item);
        return position < 0 ? order.itemCount() + item : position;
    };
    std::ranges::stable_sort(items, {}, rank);
    return items;
}

void CatalogSelection::SelectOnly(int item)
{
    m_nCurrent = item;
    m_nAnchor = item;
    m_items.clear();
    if (item >= 0)
        m_items.push_back(item);
}

void CatalogSelection::Toggle(int item)
{
    if (item < 0)
        return;
    const auto at = std::ranges::lower_bound(m_items, item);
    if (at != m_items.end() && *at == item)
        m_items.erase(at);
    else
        m_items.insert(at, item);
    m_nCurrent = item;
    m_nAnchor = item;
}

void CatalogSelection::ExtendTo(int item, const ShownOrder& order)
{
    const int to = order.PositionOf(item);
    if (to < 0)
        return;
    int from = order.PositionOf(m_nAnchor);
    if (from < 0) {
        m_nAnchor = item;
        from = to;
    }
    m_items.clear();
    for (int position = std::min(from, to); position <= std::max(from, to); ++position)
        m_items.push_back(order.ItemAt(position));
    std::ranges::sort(m_items);
    m_nCurrent = item;
}

void CatalogSelection::SelectAll(const ShownOrder& order)
{
    m_items.clear();
    for (int position = 0; position < order.count(); ++position)
        m_items.push_back(order.ItemAt(position));
    std::ranges::sort(m_items);
    if (!contains(m_nCurrent))
        m_nCurrent = m_items.empty() ? -1 : order.ItemAt(0);
    if (!contains(m_nAnchor))
        m_nAnchor = m_nCurrent;
}

void CatalogSelection::Follow(const std::vector<int>& next)
{
    const auto renumber = [&next](int item) {
        return item >= 0 && item < static_cast<int>(next.size()) ? next[item] : -1;
    };
    std::vector<int> items;
    for (const int item : m_items)
        if (const int moved = renumber(item); moved >= 0)
            items.push_back(moved);
    std::ranges::sort(items);
    m_items = std::move(items);
    m_nCurrent = renumber(m_nCurrent);
    m_nAnchor = renumber(m_nAnchor);
}

} // namespace mosgrid
