#pragma once

#include "ChartSet.h"
#include "QuorexComponents.h"

#include <memory>

namespace quorex::chart {

// The caller's reference to a control's Charts collection.
class ChartCollection : public ICharts {
public:
    explicit ChartCollection(std::shared_ptr<ChartSet> set) : m_set(std::move(set)) {}

    std::unique_ptr<IChart> Add(const std::string& definition) override;
    void SetParam(const std::string& parameters) override;
    void Clear() override;

private:
    std::shared_ptr<ChartSet> m_set;
};

} // namespace quorex::chart
