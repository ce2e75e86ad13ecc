#include "PeriodBars.h"

#include <BarPeriods.h>

namespace quorex::chart {

namespace {

indicators::BarPeriod BarPeriodOf(Period period)
{
    switch (period) {
    case Period::Weekly:
        return indicators::BarPeriod::Weekly;
    case Period::Monthly:
        return indicators::BarPeriod::Monthly;
    case Period::Daily:
        break;
    }
    return indicators::BarPeriod::Daily;
}

} // namespace

long long PeriodKey(int date, Period period)
{
    return indicators::PeriodKey(date, BarPeriodOf(period));
}

std::vector<PriceBar> AggregateBars(std::span<const PriceBar> daily, Period period)
{
    return indicators::AggregateBars(daily, BarPeriodOf(period));
}

} // namespace quorex::chart
