#pragma once

#include "ChartDefinition.h"
#include "ChartParams.h"

#include <memory>
#include <vector>

namespace quorex::chart {

// One chart of the collection; shown once it has been refreshed.
struct ChartEntry {
    ChartDefinition definition;
    bool shown = false;
};

// The charts of one control, in the order added, and their common parameters. Handles
// given out hold the set (or an entry) by shared or weak pointer, so releasing one after
// Clear, or after the control is gone, is always safe.
class ChartSet {
public:
    // Null once the set holds kMaxCharts charts. An unreadable definition's pane is shown
    // at once: no handle refreshes it.
    std::shared_ptr<ChartEntry> Add(const ChartDefinition& definition);
    void Clear();
    void SetParams(const ChartParams& params) { m_params = params; }

    const ChartParams& params() const { return m_params; }
    int size() const { return static_cast<int>(m_entries.size()); }
    // The definitions of the shown charts, top to bottom.
    std::vector<ChartDefinition> ShownCharts() const;

    // More panes than this cannot be told apart even in a large chart.
    static constexpr int kMaxCharts = 64;

private:
    std::vector<std::shared_ptr<ChartEntry>> m_entries;
    ChartParams m_params;
};

} // namespace quorex::chart
