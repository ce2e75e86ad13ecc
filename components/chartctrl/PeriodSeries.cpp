#include "PeriodSeries.h"

#include "PeriodBars.h"

namespace quorex::chart {

std::span<const PriceBar> PeriodSeries::Get(Period period)
{
    if (period == Period::Daily)
        return m_daily;
    auto& cache = period == Period::Weekly ? m_weekly : m_monthly;
    if (!cache)
        cache = AggregateBars(m_daily, period);
    return *cache;
}

} // namespace quorex::chart
