#include "PaneIndicators.h"

#include "IndicatorInputs.h"
#include "PaneNames.h"

#include "Averages.h"
#include "Bollinger.h"
#include "Ichimoku.h"
#include "LookBack.h"
#include "Macd.h"
#include "Rci.h"
#include "Rsi.h"
#include "Stochastics.h"

#include <algorithm>
#include <cmath>

namespace quorex::chart {

namespace {

using indicators::Line;

constexpr double kPercentTop = 100;
constexpr double kRankTop = 100;

void AddLine(PanePlan& pane, const QString& name, std::vector<double> values,
             const QColor& color, Qt::PenStyle pen = Qt::SolidLine)
{
    for (const double value : values)
        pane.range.Include(value);
    pane.named.emplace_back(name, values);
    pane.lines.push_back({name, std::move(values), color, pen});
}

void PlanOverlays(PanePlan& pane, const ChartStyle& style, const IndicatorView& in)
{
    const ChartDefinition& chart = *pane.definition;
    const PaneNames& names = KeptNamesOf(chart);
    for (std::size_t k = 0; k < chart.movingAverages.size() && k < style.movingAverage.size();
         ++k) {
        pane.legend.push_back({names.averagesLegend[k], style.movingAverage[k]});
        if (k < pane.averages.size())
            pane.named.emplace_back(names.averages[k], pane.averages[k]);
    }
    for (std::size_t k = 0;
         k < chart.exponentialAverages.size() && k < style.exponentialAverage.size(); ++k) {
        const int period = chart.exponentialAverages[k];
        AddLine(pane, names.exponentials[k],
                in.Shown(indicators::ExponentialAverage(in.close, period)),
                style.exponentialAverage[k]);
        pane.legend.push_back({names.exponentialsLegend[k], style.exponentialAverage[k]});
    }
    if (chart.bands) {
        const auto bands = indicators::Bollinger(in.close, chart.bands->period,
                                                 chart.bands->width);
        AddLine(pane, names.bandsUpper, in.Shown(bands.upper), style.bands);
        AddLine(pane, names.bandsMiddle, in.Shown(bands.middle), style.bands, Qt::DashLine);
        AddLine(pane, names.bandsLower, in.Shown(bands.lower), style.bands);
        pane.legend.push_back({names.bandsLegend, style.bands});
    }
    if (chart.ichimoku) {
        const IchimokuSpec& spec = *chart.ichimoku;
        const auto lines = indicators::Ichimoku(in.high, in.low, in.close, spec.conversion,
                                                spec.base, spec.span);
        AddLine(pane, names.lagging, in.Shown(lines.lagging), style.lagging);
        AddLine(pane, names.base, in.Shown(lines.base), style.base);
        AddLine(pane, names.conversion, in.Shown(lines.conversion), style.conversion);
        pane.cloudA = in.Shown(lines.leadingA);
        pane.cloudB = in.Shown(lines.leadingB);
        for (std::size_t i = 0; i < pane.cloudA.size(); ++i) {
            pane.range.Include(pane.cloudA[i]);
            pane.range.Include(pane.cloudB[i]);
        }
        pane.named.emplace_back(names.leadingA, pane.cloudA);
        pane.named.emplace_back(names.leadingB, pane.cloudB);
        pane.legend.push_back({names.ichimokuLegend, style.conversion});
    }
}

void PlanIndicatorPane(PanePlan& pane, const ChartStyle& style, const IndicatorView& in)
{
    const std::vector<int> p = PeriodsOf(*pane.definition);
    const PaneNames& names = KeptNamesOf(*pane.definition);
    switch (pane.definition->kind) {
    case ChartKind::Rsi:
        pane.range.Include(0);
        pane.range.Include(kPercentTop);
        pane.levels = {30, 70};
        AddLine(pane, names.lines[0], in.Shown(indicators::Rsi(in.close, p[0])),
                style.indicator[0]);
        pane.legend.push_back({names.legend[0], style.indicator[0]});
        break;
    case ChartKind::Macd: {
        const auto macd = indicators::Macd(in.close, p[0], p[1], p[2]);
        pane.range.Include(0);
        pane.levels = {0};
        pane.histogram = in.Shown(macd.histogram);
        for (const double value : pane.histogram)
            pane.range.Include(value);
        AddLine(pane, names.lines[0], in.Shown(macd.macd), style.indicator[0]);
        AddLine(pane, names.lines[1], in.Shown(macd.signal), style.indicator[1]);
        pane.named.emplace_back(names.lines[2], pane.histogram);
        pane.legend.push_back({names.legend[0], style.indicator[0]});
        pane.legend.push_back({names.legend[1], style.indicator[1]});
        break;
    }
    case ChartKind::Stoch: {
        const auto stoch = indicators::Stochastics(in.high, in.low, in.close, p[0], p[1], p[2]);
        pane.range.Include(0);
        pane.range.Include(kPercentTop);
        pane.levels = {20, 80};
        AddLine(pane, names.lines[0], in.Shown(stoch.k), style.indicator[0]);
        AddLine(pane, names.lines[1], in.Shown(stoch.d), style.indicator[1]);
        pane.legend.push_back({names.legend[0], style.indicator[0]});
        pane.legend.push_back({names.legend[1], style.indicator[1]});
        break;
    }
    case ChartKind::Rci:
        pane.range.Include(-kRankTop);
        pane.range.Include(kRankTop);
        pane.levels = {-80, 0, 80};
        for (std::size_t k = 0; k < p.size() && k < style.indicator.size(); ++k) {
            AddLine(pane, names.lines[k], in.Shown(indicators::Rci(in.close, p[k])),
                    style.indicator[k]);
            pane.legend.push_back({names.legend[k], style.indicator[k]});
        }
        break;
    default:
        break;
    }
}

} // namespace

std::size_t IndicatorLookBack(const ChartDefinition& chart)
{
    using namespace indicators;
    std::size_t longest = 0;
    const auto keep = [&longest](std::size_t bars) { longest = std::max(longest, bars); };
    for (const int period : chart.exponentialAverages)
        keep(ExponentialAverageLookBack(period));
    if (chart.bands)
        keep(BollingerLookBack(chart.bands->period));
    if (chart.ichimoku)
        keep(IchimokuLookBack(chart.ichimoku->conversion, chart.ichimoku->base,
                              chart.ichimoku->span));
    const std::vector<int> p = PeriodsOf(chart);
    switch (chart.kind) {
    case ChartKind::Rsi:
        keep(RsiLookBack(p[0]));
        break;
    case ChartKind::Macd:
        keep(MacdLookBack(p[0], p[1], p[2]));
        break;
    case ChartKind::Stoch:
        keep(StochasticsLookBack(p[0], p[1], p[2]));
        break;
    case ChartKind::Rci:
        for (const int period : p)
            keep(RciLookBack(period));
        break;
    default:
        break;
    }
    return longest;
}

void PlanIndicators(PanePlan& pane, const ChartStyle& style, IndicatorInputs& inputs)
{
    const ChartDefinition& chart = *pane.definition;
    const bool overlays = pane.IsPrice()
        && (!chart.exponentialAverages.empty() || chart.bands || chart.ichimoku);
    if (!pane.IsIndicator() && !overlays) {
        // Only the moving averages' legend, as before.
        if (pane.IsPrice())
            PlanOverlays(pane, style, IndicatorView{});
        return;
    }
    const IndicatorView in = inputs.For(*pane.period, pane.window, IndicatorLookBack(chart),
                                         IndicatorInputs::ReadsRange(chart));
    if (pane.IsIndicator())
        PlanIndicatorPane(pane, style, in);
    else
        PlanOverlays(pane, style, in);
}

} // namespace quorex::chart
