#pragma once

#include "ChartSet.h"
#include "QuorexComponents.h"

#include <memory>

namespace quorex::chart {

// The caller's reference to one chart of a collection. After Clear it refers to nothing
// and Refresh does nothing.
class ChartHandle : public IChart {
public:
    explicit ChartHandle(std::weak_ptr<ChartEntry> entry) : m_entry(std::move(entry)) {}

    void Refresh() override;

private:
    std::weak_ptr<ChartEntry> m_entry;
};

} // namespace quorex::chart
