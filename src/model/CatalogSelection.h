#pragma once

#include <vector>

namespace mosgrid {

class ShownOrder;

// The selected securities, by item index. The current item is the one a plain click picks
// (inverted, launched by Enter, moved by the arrows); Ctrl and Shift add more. With only plain
// clicks the selection is the current item alone, as the grid always had it.
class CatalogSelection {
public:
    // The current item, or -1 when nothing is selected.
    int current() const { return m_nCurrent; }
    bool contains(int item) const;
    int count() const { return static_cast<int>(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    // The selected items in the order shown (items not shown come last, in item order).
    std::vector<int> InShownOrder(const ShownOrder& order) const;

    // A plain click: the item alone (-1: nothing); it anchors later ranges.
    void SelectOnly(int item);
    // Ctrl+click: the item in or out; it becomes current either way.
    void Toggle(int item);
    // Shift+click and Shift+arrows: every shown position from the anchor to the item's; the
    // item becomes current, the anchor stays.
    void ExtendTo(int item, const ShownOrder& order);
    // Ctrl+A: every shown item; the current one stays (the first shown when none was).
    void SelectAll(const ShownOrder& order);
    // The items renumbered after a reload: next[old] is the new index or -1 (gone).
    void Follow(const std::vector<int>& next);

    bool operator==(const CatalogSelection&) const = default;

private:
    int m_nCurrent = -1;
    int m_nAnchor = -1;
    std::vector<int> m_items;  // sorted, unique
};

} // namespace mosgrid
