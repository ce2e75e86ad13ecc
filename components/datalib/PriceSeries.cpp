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

PriceSeries::PriceSeries(std::vector<PriceBar> bars, std::size_t first)
    : m_bars(std::move(bars))
    , m_first(first)
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
    // The bars not kept stay in front, unseen, as long as they and the room reserved for
    // lines that were not good bars are few: moving the kept ones cost as much as parsing
    // a tenth of them. Beyond that share the room is given back.
    const std::size_t first = FirstKept(rows, need);
    const std::size_t kept = rows.size() - first;
    if (rows.capacity() - kept <= kept / kUnusedShare)
        return Ptr(new PriceSeries(std::move(rows), first));
    rows.erase(rows.begin(), rows.begin() + std::ptrdiff_t(first));
    rows.shrink_to_fit();
    return Ptr(new PriceSeries(std::move(rows), 0));
}

PriceSeries::Ptr PriceSeries::Newest(const Ptr& series, const quorex::DataRequest& need)
{
    if (!series)
        return series;
    const std::span<const PriceBar> bars = series->Bars();
    const std::size_t first = FirstKept(bars, need);
    if (first == 0)
        return series;
    return Ptr(new PriceSeries(
        std::vector<PriceBar>(bars.begin() + std::ptrdiff_t(first), bars.end()), 0));
}

std::size_t PriceSeries::MemoryBytes() const
{
    return sizeof(PriceSeries) + kSharedCountBytes + m_bars.capacity() * sizeof(PriceBar)
           + 3 * kAllocationOverhead;
}

} // namespace brasko
