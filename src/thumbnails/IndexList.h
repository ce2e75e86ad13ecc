#pragma once

#include <vector>

namespace mosgrid {

// A doubly linked list of indices threaded through two arrays: constant-time insert,
// remove and ends, and no allocation after Reset. The store keeps its recency orders in it.
class IndexList {
public:
    // An empty list for indices 0 .. count - 1.
    void Reset(int count);

    bool Contains(int index) const;
    // index must not be in the list yet.
    void PushBack(int index);
    void Remove(int index);
    // -1 when empty.
    int Front() const { return m_head; }
    int Back() const { return m_tail; }
    bool empty() const { return m_head < 0; }

private:
    static constexpr int kOutside = -2;

    std::vector<int> m_prev;
    std::vector<int> m_next;
    int m_head = -1;
    int m_tail = -1;
};

} // namespace mosgrid
