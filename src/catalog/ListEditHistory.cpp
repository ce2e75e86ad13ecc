#include "catalog/ListEditHistory.h"

namespace mosgrid {

ListEditHistory::ListEditHistory(std::size_t byteBudget)
    : m_byteBudget(byteBudget)
{
}

void ListEditHistory::Record(std::string before, std::string after)
{
    while (RedoCount() > 0) {
        m_bytes -= m_edits.back().before.size() + m_edits.back().after.size();
        m_edits.pop_back();
    }
    m_bytes += before.size() + after.size();
    m_edits.push_back({std::move(before), std::move(after)});
    m_undoCount = m_edits.size();
    // The newest edit stays even alone over the budget: it is the one the user may undo.
    while (m_bytes > m_byteBudget && m_edits.size() > 1)
        DropOldest();
}

void ListEditHistory::Clear()
{
    m_edits.clear();
    m_undoCount = 0;
    m_bytes = 0;
}

bool ListEditHistory::CanUndo(const std::string& current) const
{
    return m_undoCount > 0 && m_edits[m_undoCount - 1].after == current;
}

bool ListEditHistory::CanRedo(const std::string& current) const
{
    return RedoCount() > 0 && m_edits[m_undoCount].before == current;
}

const std::string& ListEditHistory::UndoBytes() const
{
    return m_edits[m_undoCount - 1].before;
}

const std::string& ListEditHistory::RedoBytes() const
{
    return m_edits[m_undoCount].after;
}

void ListEditHistory::Undone()
{
    if (m_undoCount > 0)
        --m_undoCount;
}

void ListEditHistory::Redone()
{
    if (RedoCount() > 0)
        ++m_undoCount;
}

void ListEditHistory::DropOldest()
{
    m_bytes -= m_edits.front().before.size() + m_edits.front().after.size();
    m_edits.pop_front();
    if (m_undoCount > 0)
        --m_undoCount;
}

} // namespace mosgrid
