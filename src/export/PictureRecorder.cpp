#include "export/PictureRecorder.h"

#include "chart/ChartHost.h"

#include <algorithm>
#include <memory>

namespace mosgrid {

PictureRecorder::PictureRecorder(BuildInputs inputs, int workers)
    : m_inputs(std::move(inputs))
    , m_workerCount(std::max(1, workers))
{
}

PictureRecorder::~PictureRecorder()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void PictureRecorder::Fetch(std::span<const int> items, std::span<const int> next)
{
    std::unique_lock lock(m_mutex);
    m_wanted.clear();
    m_wanted.insert(items.begin(), items.end());
    m_wanted.insert(next.begin(), next.end());
    std::erase_if(m_done, [this](const auto& entry) { return !m_wanted.contains(entry.first); });
    m_waiting.clear();
    std::unordered_set<int> queued;
    for (const std::span<const int> part : {items, next}) {
        for (const int item : part) {
            if (!m_done.contains(item) && !m_inHand.contains(item) && queued.insert(item).second)
                m_waiting.push_back(item);
        }
    }
    // Started on first use: a recorder never asked for anything costs no host.
    while (static_cast<int>(m_threads.size()) < m_workerCount)
        m_threads.emplace_back([this] { Work(); });
    m_changed.notify_all();
    m_changed.wait(lock, [&] { return AllThere(items); });
}

bool PictureRecorder::AllThere(std::span<const int> items) const
{
    return std::ranges::all_of(items, [this](int item) { return m_done.contains(item); });
}

PictureRecorder::Recorded PictureRecorder::Take(int item) const
{
    const std::lock_guard lock(m_mutex);
    const auto found = m_done.find(item);
    if (found == m_done.end())
        return Recorded{QPicture(), ItemFacts{}};
    return found->second;
}

std::int32_t PictureRecorder::NewestDate() const
{
    const std::lock_guard lock(m_mutex);
    return m_newestDate;
}

void PictureRecorder::Work()
{
    // Made and let go under the provider's component lock, which the host takes itself.
    const auto host = std::make_unique<ChartHost>(*m_inputs.provider, m_inputs.iniFile);
    const bool ready = host->CreateHost(m_inputs.size.width(), m_inputs.size.height()) == 1;
    host->SetPeriodChoice(m_inputs.period);
    const CatalogItemList& items = *m_inputs.items;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_waiting.empty(); });
        if (m_stopping)
            break;
        const int index = m_waiting.front();
        m_waiting.pop_front();
        m_inHand.insert(index);
        lock.unlock();
        Recorded recorded;
        if (ready && index >= 0 && index < static_cast<int>(items.size())) {
            host->RenderItem(*items[index]);
            host->RecordItem(recorded.picture, *items[index]);
            recorded.facts = host->LastFacts();
        }
        lock.lock();
        m_inHand.erase(index);
        m_newestDate = std::max(m_newestDate, recorded.facts.lastDate);
        // A run given up meanwhile does not keep it.
        if (m_wanted.contains(index))
            m_done[index] = std::move(recorded);
        m_changed.notify_all();
    }
    lock.unlock();
    host->DestroyWindow();
}

} // namespace mosgrid
