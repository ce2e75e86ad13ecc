#include "ChartSet.h"

namespace quorex::chart {

std::shared_ptr<ChartEntry> ChartSet::Add(const ChartDefinition& definition)
{
    if (size() >= kMaxCharts)
        return nullptr;
    const bool shown = definition.kind == ChartKind::Unreadable;
    auto entry = std::make_shared<ChartEntry>(ChartEntry{definition, shown});
    m_entries.push_back(entry);
    return entry;
}

void ChartSet::Clear()
{
    m_entries.clear();
}

std::vector<ChartDefinition> ChartSet::ShownCharts() const
{
    std::vector<ChartDefinition> shown;
    shown.reserve(m_entries.size());
    for (const auto& entry : m_entries) {
        if (entry->shown)
            shown.push_back(entry->definition);
    }
    return shown;
}

} // namespace quorex::chart
