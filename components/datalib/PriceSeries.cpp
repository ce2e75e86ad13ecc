#include "PriceSeries.h"

#include "BarNeed.h"

#include <algorithm>

namespace brasko {

namespace {

using quorex::PriceBar;

// The reference counts a shared pointer made from a plain new allocates beside the object.
constexpr std::size_t kSharedCountBytes = 24;
// Rows reserved for lines that were not good bars are given back beyond this share.
constexpr std::size_t kUnusedShare = 4;

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

PriceSeries::Ptr PriceSeries::FromRows(std::vector<PriceBar> rows)
{
    return FromRows(std::move(rows), quorex::DataRequest{});
}

PriceSeries::Ptr PriceSeries::FromRows(std::vector<PriceBar> rows,
                                       const quorex::DataRequest& need)
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
    // In place: a copy of the bars kept would cost an allocation.
    rows.erase(rows.begin(), rows.begin() + std::ptrdiff_t(FirstKept(rows, need)));
    // A file of mostly bad lines must not keep the room reserved for them.
    if (rows.capacity() - rows.size() > rows.size() / kUnusedShare)
        rows.shrink_to_fit();
    return Ptr(new PriceSeries(std::move(rows)));
}

PriceSeries::Ptr PriceSeries::Newest(const Ptr& series, const quorex::DataRequest& need)
{
    if (!series)
        return series;
    const std::size_t first = FirstKept(series->m_bars, need);
    if (first == 0)
        return series;
    return Ptr(new PriceSeries(
        std::vector<PriceBar>(series->m_bars.begin() + std::ptrdiff_t(first), series->m_bars.end())));
}

std::size_t PriceSeries::MemoryBytes() const
{
    return sizeof(PriceSeries) + kSharedCountBytes + m_bars.capacity() * sizeof(PriceBar)
           + 3 * kAllocationOverhead;
}

} // namespace brasko
