#include "PaneIndicators.h"

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

// The bars indicators are computed from, as arrays, and where the shown ones begin.
struct Inputs {
    std::vector<double> high, low, close;
    std::size_t offset = 0;   // of the first shown bar
    int count = 0;

    explicit Inputs(const SeriesWindow& window, std::size_t lookBack)
    {
        const std::size_t first = static_cast<std::size_t>(window.first);
        const std::size_t from = first - std::min(first, lookBack);
        const std::size_t end = first + static_cast<std::size_t>(window.count);
        offset = first - from;
        count = window.count;
        for (std::vector<double>* values : {&high, &low, &close})
            values->reserve(end - from);
        for (std::size_t i = from; i < end; ++i) {
            const PriceBar& bar = window.bars[i];
            const bool drawable = IsDrawable(bar);
            high.push_back(drawable ? bar.high : indicators::kUndefined);
            low.push_back(drawable ? bar.low : indicators::kUndefined);
            close.push_back(drawable ? bar.close : indicators::kUndefined);
        }
    }

    // The values of a line at the shown bars.
    std::vector<double> Shown(const Line& line) const
    {
        std::vector<double> shown(static_cast<std::size_t>(count), indicators::kUndefined);
        for (std::size_t i = 0; i < shown.size() && offset + i < line.values.size(); ++i)
            shown[i] = line.values[offset + i];
        return shown;
    }
};

// The periods of an indicator pane; the defaults for a definition made without them.
std::vector<int> PeriodsOf(const ChartDefinition& chart)
{
    const std::vector<int> defaults = DefaultPeriods(chart.kind);
    return chart.periods.size() >= defaults.size() && !chart.periods.empty() ? chart.periods
                                                                             : defaults;
}

QString PeriodList(const std::vector<int>& periods)
{
    QStringList parts;
    for (const int period : periods)
        parts << QString::number(period);
    return parts.join(QLatin1Char(','));
}

void AddLine(PanePlan& pane, const QString& name, std::vector<double> values,
             const QColor& color, Qt::PenStyle pen = Qt::SolidLine)
{
    for (const double value : values)
        pane.range.Include(value);
    pane.named.emplace_back(name, values);
    pane.lines.push_back({name, std::move(values), color, pen});
}

// "RSI(14)", "BB upper(20,2)".
QString Named(const char* what, const QString& parameters)
{
    return QString::fromUtf8(what) + QLatin1Char('(') + parameters + QLatin1Char(')');
}

void PlanOverlays(PanePlan& pane, const ChartStyle& style, const Inputs& in)
{
    const ChartDefinition& chart = *pane.definition;
    for (std::size_t k = 0; k < chart.movingAverages.size() && k < style.movingAverage.size();
         ++k) {
        pane.legend.push_back({QStringLiteral("MA%1").arg(chart.movingAverages[k]),
                               style.movingAverage[k]});
        if (k < pane.averages.size())
            pane.named.emplace_back(Named("MA", QString::number(chart.movingAverages[k])),
                                    pane.averages[k]);
    }
    for (std::size_t k = 0;
         k < chart.exponentialAverages.size() && k < style.exponentialAverage.size(); ++k) {
        const int period = chart.exponentialAverages[k];
        AddLine(pane, Named("EMA", QString::number(period)),
                in.Shown(indicators::ExponentialAverage(in.close, period)),
                style.exponentialAverage[k]);
        pane.legend.push_back({QStringLiteral("EMA%1").arg(period),
                               style.exponentialAverage[k]});
    }
    if (chart.bands) {
        const auto bands = indicators::Bollinger(in.close, chart.bands->period,
                                                 chart.bands->width);
        const QString spec = QStringLiteral("%1,%2").arg(chart.bands->period)
                                 .arg(QString::number(chart.bands->width));
        AddLine(pane, Named("BB upper", spec), in.Shown(bands.upper), style.bands);
        AddLine(pane, Named("BB middle", spec), in.Shown(bands.middle), style.bands,
                Qt::DashLine);
        AddLine(pane, Named("BB lower", spec), in.Shown(bands.lower), style.bands);
        pane.legend.push_back({QStringLiteral("BB") + spec, style.bands});
    }
    if (chart.ichimoku) {
        const IchimokuSpec& spec = *chart.ichimoku;
        const auto lines = indicators::Ichimoku(in.high, in.low, in.close, spec.conversion,
                                                spec.base, spec.span);
        const QString list = PeriodList({spec.conversion, spec.base, spec.span});
        AddLine(pane, Named("Ichimoku 遅行スパン", list), in.Shown(lines.lagging),
                style.lagging);
        AddLine(pane, Named("Ichimoku 基準線", list), in.Shown(lines.base), style.base);
        AddLine(pane, Named("Ichimoku 転換線", list), in.Shown(lines.conversion),
                style.conversion);
        pane.cloudA = in.Shown(lines.leadingA);
        pane.cloudB = in.Shown(lines.leadingB);
        for (std::size_t i = 0; i < pane.cloudA.size(); ++i) {
            pane.range.Include(pane.cloudA[i]);
            pane.range.Include(pane.cloudB[i]);
        }
        pane.named.emplace_back(Named("Ichimoku 先行スパン1", list), pane.cloudA);
        pane.named.emplace_back(Named("Ichimoku 先行スパン2", list), pane.cloudB);
        pane.legend.push_back({QStringLiteral("一目%1,%2,%3").arg(spec.conversion)
                                   .arg(spec.base).arg(spec.span), style.conversion});
    }
}

void PlanIndicatorPane(PanePlan& pane, const ChartStyle& style, const Inputs& in)
{
    const std::vector<int> p = PeriodsOf(*pane.definition);
    const QString list = PeriodList(p);
    switch (pane.definition->kind) {
    case ChartKind::Rsi:
        pane.range.Include(0);
        pane.range.Include(kPercentTop);
        pane.levels = {30, 70};
        AddLine(pane, Named("RSI", list), in.Shown(indicators::Rsi(in.close, p[0])),
                style.indicator[0]);
        pane.legend.push_back({QStringLiteral("RSI") + list, style.indicator[0]});
        break;
    case ChartKind::Macd: {
        const auto macd = indicators::Macd(in.close, p[0], p[1], p[2]);
        pane.range.Include(0);
        pane.levels = {0};
        pane.histogram = in.Shown(macd.histogram);
        for (const double value : pane.histogram)
            pane.range.Include(value);
        AddLine(pane, Named("MACD", list), in.Shown(macd.macd), style.indicator[0]);
        AddLine(pane, Named("MACD signal", list), in.Shown(macd.signal), style.indicator[1]);
        pane.named.emplace_back(Named("MACD histogram", list), pane.histogram);
        pane.legend.push_back({QStringLiteral("MACD") + list, style.indicator[0]});
        pane.legend.push_back({QStringLiteral("Sig%1").arg(p[2]), style.indicator[1]});
        break;
    }
    case ChartKind::Stoch: {
        const auto stoch = indicators::Stochastics(in.high, in.low, in.close, p[0], p[1], p[2]);
        pane.range.Include(0);
        pane.range.Include(kPercentTop);
        pane.levels = {20, 80};
        AddLine(pane, Named("Stoch %K", list), in.Shown(stoch.k), style.indicator[0]);
        AddLine(pane, Named("Stoch %D", list), in.Shown(stoch.d), style.indicator[1]);
        pane.legend.push_back({QStringLiteral("%K%1,%2").arg(p[0]).arg(p[1]),
                               style.indicator[0]});
        pane.legend.push_back({QStringLiteral("%D%1").arg(p[2]), style.indicator[1]});
        break;
    }
    case ChartKind::Rci:
        pane.range.Include(-kRankTop);
        pane.range.Include(kRankTop);
        pane.levels = {-80, 0, 80};
        for (std::size_t k = 0; k < p.size() && k < style.indicator.size(); ++k) {
            AddLine(pane, Named("RCI", QString::number(p[k])),
                    in.Shown(indicators::Rci(in.close, p[k])), style.indicator[k]);
            pane.legend.push_back({QStringLiteral("RCI%1").arg(p[k]), style.indicator[k]});
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

void PlanIndicators(PanePlan& pane, const ChartStyle& style)
{
    const ChartDefinition& chart = *pane.definition;
    const bool overlays = pane.IsPrice()
        && (!chart.exponentialAverages.empty() || chart.bands || chart.ichimoku);
    if (!pane.IsIndicator() && !overlays) {
        // Only the moving averages' legend, as before.
        if (pane.IsPrice())
            PlanOverlays(pane, style, Inputs(SeriesWindow{}, 0));
        return;
    }
    const Inputs in(pane.window, IndicatorLookBack(chart));
    if (pane.IsIndicator())
        PlanIndicatorPane(pane, style, in);
    else
        PlanOverlays(pane, style, in);
}

} // namespace quorex::chart
