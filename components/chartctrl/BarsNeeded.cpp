#include "BarsNeeded.h"

#include "PaneIndicators.h"
#include "PanePeriods.h"
#include "QuorexCalendar.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quorex::chart {

namespace {

// A bar a day at most, in the calendar both components count by.
constexpr std::size_t kDaysPerWeek = calendar::kDaysPerWeek;
constexpr std::size_t kDaysPerMonth = calendar::kMostDaysPerMonth;

// Bars before the shown ones that a pane reads: the moving averages' and the indicators'
// look-back, and at least the one bar whose date tells whether the first shown bar starts
// a new time step.
std::size_t LookBack(const ChartDefinition& chart)
{
    std::size_t longest = std::max<std::size_t>(1, IndicatorLookBack(chart));
    if (IsPriceKind(chart.kind)) {
        for (const int period : chart.movingAverages)
            longest = std::max<std::size_t>(longest, static_cast<std::size_t>(period) - 1);
    }
    return longest;
}

// Whole bars of each period, counted from the newest, that must come out as in the whole
// series; nothing when every bar is needed.
std::optional<std::array<std::size_t, 3>> WholeBars(const ChartParams& params,
                                                    std::span<const ChartDefinition> charts)
{
    if (params.showScrollBar)
        return std::nullopt;
    std::array<std::size_t, 3> whole{};
    const std::vector<std::optional<Period>> periods = PanePeriods(charts, params);
    for (std::size_t i = 0; i < charts.size(); ++i) {
        if (!periods[i])
            continue;
        std::size_t& count = whole[static_cast<std::size_t>(*periods[i])];
        count = std::max(count, static_cast<std::size_t>(params.dispNum) + LookBack(charts[i]));
    }
    return whole;
}

// Calendar days that hold `count` whole periods of `days` days at most, counted from the
// newest: one more period than needed, as the newest one has begun before its newest day.
std::size_t DaysOf(std::size_t count, std::size_t days)
{
    return count == 0 ? 0 : (count + 1) * days;
}

} // namespace

std::size_t DailyBarsNeeded(const ChartParams& params, std::span<const ChartDefinition> charts)
{
    const auto whole = WholeBars(params, charts);
    if (!whole)
        return 0;
    // A bar a day at most: the calendar days are as many bars.
    const std::size_t days = std::max(
        {(*whole)[static_cast<std::size_t>(Period::Daily)],
         DaysOf((*whole)[static_cast<std::size_t>(Period::Weekly)], kDaysPerWeek),
         DaysOf((*whole)[static_cast<std::size_t>(Period::Monthly)], kDaysPerMonth)});
    // Nothing drawn from the series: one bar tells "data" from "none".
    return std::max<std::size_t>(days, 1);
}

DataRequest DataNeeded(const ChartParams& params, std::span<const ChartDefinition> charts)
{
    DataRequest request;
    const auto whole = WholeBars(params, charts);
    if (!whole)
        return request;
    request.latestBars =
        std::max<std::size_t>((*whole)[static_cast<std::size_t>(Period::Daily)], 1);
    request.latestWeeks = (*whole)[static_cast<std::size_t>(Period::Weekly)];
    request.latestMonths = (*whole)[static_cast<std::size_t>(Period::Monthly)];
    return request;
}

} // namespace quorex::chart
