#include "PriceSeries.h"

#include <algorithm>

namespace brasko {

namespace {

using quorex::PriceBar;

bool EarlierDate(const PriceBar& a, const PriceBar& b)
{
    return a.date < b.date;
}

bool NotLaterDate(const PriceBar& a, const PriceBar& b)
{
    return a.date <= b.date;
}

// Of each run of equal dates keeps the last bar (rows are in reading order within a run).
void KeepLastOfEachDate(std::vector<PriceBar>& bars)
{
    std::size_t out = 0;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        if (i + 1 < bars.size() && bars[i + 1].date == bars[i].date)
            continue;
        bars[out++] = bars[i];
    }
    bars.resize(out);
}

} // namespace

PriceSeries::PriceSeries(std::vector<PriceBar> bars)
    : m_bars(std::move(bars))
{
}

quorex::PriceDataPtr PriceSeries::FromRows(std::vector<PriceBar> rows)
{
    if (rows.empty())
        return nullptr;
    // The two orders files come in need no sort; newest-first has no repeats to order.
    const bool ascending = std::is_sorted(rows.begin(), rows.end(), EarlierDate);
    if (!ascending && std::adjacent_find(rows.begin(), rows.end(), NotLaterDate) == rows.end())
        std::reverse(rows.begin(), rows.end());
    else if (!ascending)
        std::stable_sort(rows.begin(), rows.end(), EarlierDate);
    KeepLastOfEachDate(rows);
    return quorex::PriceDataPtr(new PriceSeries(std::move(rows)));
}

} // namespace brasko
