#include "BarsNeeded.h"

#include "PanePeriods.h"

#include <algorithm>
#include <array>

namespace quorex::chart {

namespace {

constexpr std::size_t kDaysPerWeek = 7;
constexpr std::size_t kDaysPerMonth = 31;

// Bars before the shown ones that a pane reads: the moving averages' look-back, and at
// least the one bar whose date tells whether the first shown bar starts a new time step.
std::size_t LookBack(const ChartDefinition& chart)
{
    std::size_t longest = 1;
    if (IsPriceKind(chart.kind)) {
        for (const int period : chart.movingAverages)
            longest = std::max<std::size_t>(longest, static_cast<std::size_t>(period) - 1);
    }
    return longest;
}

} // namespace

std::size_t DailyBarsNeeded(const ChartParams& params, std::span<const ChartDefinition> charts)
{
    if (params.showScrollBar)
        return 0;
    // Whole bars of each period, counted from the newest, that must come out as in the
    // whole series.
    std::array<std::size_t, 3> whole{};
    const std::vector<std::optional<Period>> periods = PanePeriods(charts, params);
    for (std::size_t i = 0; i < charts.size(); ++i) {
        if (!periods[i])
            continue;
        std::size_t& count = whole[static_cast<std::size_t>(*periods[i])];
        count = std::max(count, static_cast<std::size_t>(params.dispNum) + LookBack(charts[i]));
    }
    std::size_t days = whole[static_cast<std::size_t>(Period::Daily)];
    // One more period than needed: the oldest one read may have lost its first days.
    if (const std::size_t weeks = whole[static_cast<std::size_t>(Period::Weekly)])
        days = std::max(days, (weeks + 1) * kDaysPerWeek);
    if (const std::size_t months = whole[static_cast<std::size_t>(Period::Monthly)])
        days = std::max(days, (months + 1) * kDaysPerMonth);
    // Nothing drawn from the series: one bar tells "data" from "none".
    return std::max<std::size_t>(days, 1);
}

} // namespace quorex::chart
