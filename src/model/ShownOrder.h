#pragma once

#include <vector>

namespace mosgrid {

// The one mapping between the positions the grid shows and the items of the catalog. Sort
// and filter make it; geometry, paint, hit test, scroll range, selection, launching, preview
// and printing count positions and read their items through it. The identity (list order, no
// filter) shows every item at its own index, exactly as the grid always has.
class ShownOrder {
public:
    ShownOrder() = default;
    static ShownOrder Identity(int itemCount);
    // items: the item shown at each position, each at most once, all below itemCount.
    ShownOrder(std::vector<int> items, int itemCount);

    // Positions shown; items in the catalog.
    int count() const;
    int itemCount() const { return m_nItemCount; }
    bool isIdentity() const { return m_bIdentity; }

    // The item at a position, or -1 for a position that shows none.
    int ItemAt(int position) const;
    // The position of an item, or -1 when it is not shown (filtered out, or no such item).
    int PositionOf(int item) const;

    bool operator==(const ShownOrder& other) const;

private:
    bool m_bIdentity = true;
    int m_nItemCount = 0;
    std::vector<int> m_items;      // position -> item; empty for the identity
    std::vector<int> m_positions;  // item -> position or -1; empty for the identity
};

} // namespace mosgrid
