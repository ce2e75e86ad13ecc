#include "PanePeriods.h"

#include <algorithm>

namespace quorex::chart {

std::vector<std::optional<Period>> PanePeriods(std::span<const ChartDefinition> charts,
                                               const ChartParams& params)
{
    const auto firstPrice = std::find_if(charts.begin(), charts.end(),
        [](const ChartDefinition& chart) { return IsPriceKind(chart.kind); });
    const Period volume = params.period.value_or(
        firstPrice != charts.end() ? PeriodOf(firstPrice->kind) : Period::Daily);
    std::vector<std::optional<Period>> periods;
    periods.reserve(charts.size());
    for (const ChartDefinition& chart : charts) {
        if (IsPriceKind(chart.kind))
            periods.push_back(params.period.value_or(PeriodOf(chart.kind)));
        else if (chart.kind == ChartKind::Volume || IsIndicatorKind(chart.kind))
            periods.push_back(volume);
        else
            periods.push_back(std::nullopt);
    }
    return periods;
}

} // namespace quorex::chart
