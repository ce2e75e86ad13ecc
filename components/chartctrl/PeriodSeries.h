#pragma once

#include "ChartDefinition.h"
#include "QuorexComponents.h"

#include <optional>
#include <span>
#include <vector>

namespace quorex::chart {

// The daily bars and, made once when first asked for, the longer periods.
class PeriodSeries {
public:
    explicit PeriodSeries(std::span<const PriceBar> daily) : m_daily(daily) {}

    std::span<const PriceBar> Get(Period period);

private:
    std::span<const PriceBar> m_daily;
    std::optional<std::vector<PriceBar>> m_weekly;
    std::optional<std::vector<PriceBar>> m_monthly;
};

} // namespace quorex::chart
