#include "RelativeStrength.h"

#include "DisplayText.h"
#include "PeriodSeries.h"

#include <QDate>

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorex::chart {

namespace {

constexpr double kBase = 100;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// What two bars of one period share: the day, the week's Monday, or the month.
std::int64_t PeriodKey(std::int32_t date, Period period)
{
    switch (period) {
    case Period::Daily:
        return date;
    case Period::Weekly: {
        const QDate day(date / 10000, date / 100 % 100, date % 100);
        return day.isValid() ? day.toJulianDay() - (day.dayOfWeek() - 1) : date;
    }
    case Period::Monthly:
        return date / 100;
    }
    return date;
}

} // namespace

std::vector<double> RelativeStrength(std::span<const PriceBar> shown,
                                     std::span<const PriceBar> other, Period period)
{
    std::vector<std::int64_t> keys;
    keys.reserve(other.size());
    for (const PriceBar& bar : other)
        keys.push_back(PeriodKey(bar.date, period));
    std::vector<double> values(shown.size(), kNaN);
    double base = kNaN;
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const auto at = std::lower_bound(keys.begin(), keys.end(),
                                         PeriodKey(shown[i].date, period));
        if (at == keys.end() || *at != PeriodKey(shown[i].date, period))
            continue;
        const double theirs = other[std::size_t(at - keys.begin())].close;
        const double ratio = shown[i].close / theirs;
        if (!std::isfinite(ratio) || ratio <= 0 || !IsDrawable(shown[i]))
            continue;
        if (std::isnan(base))
            base = ratio;
        values[i] = kBase * ratio / base;
    }
    return values;
}

void PlanRelativeStrength(PanePlan& pane, const ChartStyle& style,
                          std::span<const PriceBar> otherDaily)
{
    const ChartDefinition& chart = *pane.definition;
    const QString code = DisplayText(chart.code);
    pane.range.Include(kBase);
    pane.levels = {kBase};
    if (otherDaily.empty() || !pane.period) {
        pane.message = QStringLiteral("%1 のデータがありません").arg(code);
        return;
    }
    PeriodSeries series(otherDaily);
    const std::span<const PriceBar> shown(pane.window.bars.data() + pane.window.first,
                                          std::size_t(pane.window.count));
    std::vector<double> values = RelativeStrength(shown, series.Get(*pane.period), *pane.period);
    for (const double value : values)
        pane.range.Include(value);
    const QString name = QStringLiteral("RS(") + code + QLatin1Char(')');
    pane.named.emplace_back(name, values);
    pane.lines.push_back({name, std::move(values), style.indicator[0], Qt::SolidLine});
    pane.legend.push_back({QStringLiteral("RS") + code, style.indicator[0]});
}

} // namespace quorex::chart
