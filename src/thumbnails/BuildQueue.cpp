#include "thumbnails/BuildQueue.h"

#include <algorithm>

namespace mosgrid {

std::uint64_t BuildQueue::Start(int count, std::span<const int> alreadyMade)
{
    const std::lock_guard lock(m_mutex);
    ++m_generation;
    m_stopped = false;
    const auto n = static_cast<std::size_t>(std::max(count, 0));
    m_jobs.assign(n, Job::Pending);
    m_everMade.assign(n, 0);
    m_order.clear();
    m_priorityCount = 0;
    m_scope = Scope::Everything;
    m_orderCursor = 0;
    m_indexCursor = 0;
    m_made = 0;
    for (const int index : alreadyMade) {
        if (index < 0 || index >= count || m_everMade[index])
            continue;
        m_jobs[index] = Job::Made;
        m_everMade[index] = 1;
        ++m_made;
    }
    m_running = 0;
    m_workers = 0;
    m_changed.notify_all();
    return m_generation;
}

void BuildQueue::Stop()
{
    const std::lock_guard lock(m_mutex);
    ++m_generation;
    m_stopped = true;
    m_changed.notify_all();
}

std::uint64_t BuildQueue::generation() const
{
    const std::lock_guard lock(m_mutex);
    return m_generation;
}

void BuildQueue::SetOrder(std::vector<int> order, std::size_t priorityCount, Scope scope)
{
    const std::lock_guard lock(m_mutex);
    m_scope = scope;
    const int count = static_cast<int>(m_jobs.size());
    std::erase_if(order, [count](int index) { return index < 0 || index >= count; });
    m_priorityCount = std::min(priorityCount, order.size());
    m_order = std::move(order);
    m_orderCursor = m_priorityCount;
}

void BuildQueue::SetScope(Scope scope)
{
    const std::lock_guard lock(m_mutex);
    m_scope = scope;
}

bool BuildQueue::TakeableLocked(int index) const
{
    return m_jobs[index] == Job::Pending;
}

bool BuildQueue::ReadyLocked(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_jobs.size()))
        return true;
    return m_jobs[index] == Job::Made;
}

std::optional<int> BuildQueue::NextLocked()
{
    if (m_stopped)
        return std::nullopt;
    // On screen and around it: also what was dropped since.
    for (std::size_t i = 0; i < m_priorityCount; ++i) {
        const int index = m_order[i];
        if (TakeableLocked(index) || m_jobs[index] == Job::Dropped)
            return index;
    }
    for (; m_orderCursor < m_order.size(); ++m_orderCursor) {
        if (TakeableLocked(m_order[m_orderCursor]))
            return m_order[m_orderCursor];
    }
    if (m_scope == Scope::ListedOnly)
        return std::nullopt;
    const int count = static_cast<int>(m_jobs.size());
    for (; m_indexCursor < count; ++m_indexCursor) {
        if (TakeableLocked(m_indexCursor))
            return m_indexCursor;
    }
    return std::nullopt;
}

int BuildQueue::ReserveWorkers(int maxWorkers)
{
    const std::lock_guard lock(m_mutex);
    if (!NextLocked())
        return 0;
    const int start = std::max(0, maxWorkers - m_workers);
    m_workers += start;
    return start;
}

std::optional<int> BuildQueue::Take(std::uint64_t generation)
{
    const std::lock_guard lock(m_mutex);
    // A worker of a build before was counted there; the new build counts its own.
    if (generation != m_generation)
        return std::nullopt;
    const std::optional<int> next = NextLocked();
    if (!next) {
        --m_workers;
        return std::nullopt;
    }
    m_jobs[*next] = Job::Running;
    ++m_running;
    return next;
}

void BuildQueue::Done(std::uint64_t generation, int index)
{
    const std::lock_guard lock(m_mutex);
    if (generation != m_generation || index < 0 || index >= static_cast<int>(m_jobs.size())
        || m_jobs[index] != Job::Running)
        return;
    m_jobs[index] = Job::Made;
    --m_running;
    if (!m_everMade[index]) {
        m_everMade[index] = 1;
        ++m_made;
    }
    // A wake-up per thumbnail would cost whoever waits for the whole build a trip through
    // the scheduler each time: that wait is woken only when it can end.
    if (m_cellWaiters > 0 || (m_made >= static_cast<int>(m_jobs.size()) && m_running == 0))
        m_changed.notify_all();
}

void BuildQueue::Dropped(std::uint64_t generation, std::span<const int> indices)
{
    const std::lock_guard lock(m_mutex);
    if (generation != m_generation)
        return;
    const int count = static_cast<int>(m_jobs.size());
    for (const int index : indices) {
        if (index >= 0 && index < count && m_jobs[index] == Job::Made)
            m_jobs[index] = Job::Dropped;
    }
}

BuildQueue::Progress BuildQueue::progress() const
{
    const std::lock_guard lock(m_mutex);
    return Progress{m_made, static_cast<int>(m_jobs.size())};
}

int BuildQueue::runningWorkers() const
{
    const std::lock_guard lock(m_mutex);
    return m_workers;
}

bool BuildQueue::WaitUntilBuilt()
{
    std::unique_lock lock(m_mutex);
    const std::uint64_t generation = m_generation;
    m_changed.wait(lock, [&] {
        return generation != m_generation || m_stopped
            || (m_made >= static_cast<int>(m_jobs.size()) && m_running == 0);
    });
    return generation == m_generation && !m_stopped;
}

bool BuildQueue::WaitUntilMade(std::span<const int> indices)
{
    std::unique_lock lock(m_mutex);
    const std::uint64_t generation = m_generation;
    ++m_cellWaiters;
    m_changed.wait(lock, [&] {
        return generation != m_generation || m_stopped
            || std::all_of(indices.begin(), indices.end(),
                           [this](int index) { return ReadyLocked(index); });
    });
    --m_cellWaiters;
    return generation == m_generation && !m_stopped;
}

} // namespace mosgrid
