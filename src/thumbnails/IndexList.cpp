#include "thumbnails/IndexList.h"

namespace mosgrid {

void IndexList::Reset(int count)
{
    m_prev.assign(static_cast<std::size_t>(count), kOutside);
    m_next.assign(static_cast<std::size_t>(count), kOutside);
    m_head = m_tail = -1;
}

bool IndexList::Contains(int index) const
{
    return index >= 0 && index < static_cast<int>(m_prev.size()) && m_prev[index] != kOutside;
}

void IndexList::PushBack(int index)
{
    m_prev[index] = m_tail;
    m_next[index] = -1;
    if (m_tail >= 0)
        m_next[m_tail] = index;
    else
        m_head = index;
    m_tail = index;
}

void IndexList::Remove(int index)
{
    if (!Contains(index))
        return;
    const int prev = m_prev[index];
    const int next = m_next[index];
    if (prev >= 0)
        m_next[prev] = next;
    else
        m_head = next;
    if (next >= 0)
        m_prev[next] = prev;
    else
        m_tail = prev;
    m_prev[index] = m_next[index] = kOutside;
}

} // namespace mosgrid
