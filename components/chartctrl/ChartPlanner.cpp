#include "ChartPlanner.h"

#include "AxisLabels.h"
#include "DisplayText.h"
#include "IndicatorInputs.h"
#include "PaneIndicators.h"
#include "PaneTexts.h"
#include "PanePeriods.h"
#include "RelativeStrength.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace quorex::chart {

namespace {

constexpr int kPriceParts = 3;
constexpr int kVolumeParts = 1;
constexpr int kMessageParts = 1;
// Texts beside the bars are left out when the chart cannot hold this many lines and
// characters.
constexpr int kMinTextRows = 5;
constexpr int kMinTextColumns = 12;
// Bands for texts above and below the bars only in panes of this many text lines.
constexpr int kBandRows = 5;
// The catalog's label line is kept in pictures at least this many such lines tall.
constexpr int kFreeLineRows = 2;
constexpr int kMaxPriceTicks = 8;
constexpr int kMaxVolumeTicks = 3;
constexpr int kMinTickSpacing = 24;
constexpr int kAxisPadding = 3;
// Thicker moving averages in charts from this height on.
constexpr int kTallChart = 400;

const QString kUnreadableText = QStringLiteral("チャート定義を読めません: ");
const QString kTooLargeText = QStringLiteral("値が大きすぎます");

struct TextMetrics {
    QFontMetrics metrics;
    int height;
    int charWidth;
    bool fits;   // room for texts beside the bars
};

bool TooLarge(const PanePlan& pane)
{
    return pane.range.valid && !std::isfinite(pane.range.hi - pane.range.lo);
}

// The daily bars of the code an RS pane compares against; empty when there are none.
std::span<const PriceBar> RelatedBars(const ChartDefinition& definition,
                                      const RelatedSeries* related)
{
    if (!related)
        return {};
    const auto found = related->find(definition.code);
    return found != related->end() && found->second ? found->second->Bars()
                                                    : std::span<const PriceBar>();
}

PanePlan MakePane(const ChartDefinition& definition, std::optional<Period> period,
                  PeriodSeries& series, int dispNum, const ChartStyle& style,
                  const RelatedSeries* related, IndicatorInputs& inputs)
{
    PanePlan pane;
    pane.definition = &definition;
    pane.period = period;
    if (!period)
        return pane;
    pane.window = SeriesWindow::Latest(series.Get(*period), dispNum);
    if (pane.IsPrice()) {
        pane.range = PriceRange(pane.window);
        for (const int length : definition.movingAverages) {
            pane.averages.push_back(MovingAverage(pane.window, length));
            for (const double value : pane.averages.back())
                pane.range.Include(value);
        }
        PlanIndicators(pane, style, inputs);
    } else if (definition.kind == ChartKind::Rs) {
        PlanRelativeStrength(pane, style, RelatedBars(definition, related));
    } else if (pane.IsIndicator()) {
        PlanIndicators(pane, style, inputs);
    } else {
        pane.range.Include(0);
        for (int i = 0; i < pane.window.count; ++i)
            pane.range.Include(pane.window[i].volume);
    }
    return pane;
}

// Texts that change where things go: labels, marks, legends, messages of unreadable
// definitions. They depend on the parameters and the definitions alone.
bool PlacesText(const ChartScene& scene)
{
    return scene.params.assistLine
        || std::any_of(scene.charts.begin(), scene.charts.end(), [](const ChartDefinition& c) {
               return c.kind == ChartKind::Unreadable || IsIndicatorKind(c.kind)
                   || (IsPriceKind(c.kind)
                       && (c.dispMaxMin || !c.movingAverages.empty()
                           || !c.exponentialAverages.empty() || c.bands || c.ichimoku));
           });
}

TextMetrics MeasureText(const ChartStyle& style, const QRect& bounds)
{
    QFontMetrics metrics(style.font);
    const int height = metrics.height();
    const int charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
    const bool fits = height * kMinTextRows <= bounds.height()
        && charWidth * kMinTextColumns <= bounds.width();
    return TextMetrics{metrics, height, charWidth, fits};
}

int PartsOf(const ChartDefinition& chart)
{
    if (IsPriceKind(chart.kind))
        return kPriceParts;
    return chart.kind == ChartKind::Volume || IsIndicatorKind(chart.kind) ? kVolumeParts
                                                                          : kMessageParts;
}

// A date axis closes each run of panes of one period; an unreadable pane joins the run it
// stands in.
std::vector<bool> RunEnds(const std::vector<std::optional<Period>>& periods)
{
    std::vector<std::optional<Period>> filled = periods;
    for (std::size_t i = 1; i < filled.size(); ++i) {
        if (!filled[i])
            filled[i] = filled[i - 1];
    }
    for (std::size_t i = filled.size(); i-- > 1;) {
        if (!filled[i - 1])
            filled[i - 1] = filled[i];
    }
    std::vector<bool> ends(filled.size(), false);
    for (std::size_t i = 0; i < filled.size(); ++i)
        ends[i] = filled[i] && (i + 1 == filled.size() || filled[i + 1] != filled[i]);
    return ends;
}

// RSI, Stoch and RCI: a fixed scale whose ticks are the guide levels.
bool IsFixedRange(const PanePlan& pane)
{
    return pane.IsIndicator() && pane.definition->kind != ChartKind::Macd;
}

// The outer levels as ticks: the lowest and highest guide, evenly apart.
AxisTicks LevelTicks(const std::vector<double>& levels)
{
    AxisTicks ticks;
    if (levels.size() < 2)
        return ticks;
    ticks.first = levels.front();
    ticks.step = levels.back() - levels.front();
    ticks.count = 2;
    return ticks;
}

QStringList LevelLabels(const AxisTicks& ticks)
{
    QStringList labels;
    for (int k = 0; k < ticks.count; ++k)
        labels << FormatPrice(ticks.Value(k), 0);
    return labels;
}

// The value rows of a pane, its ticks and, with a price column, their labels; `text` only
// where texts beside the bars fit.
void PlaceValues(ChartPlan& plan, int index, const ChartParams& params, const TextMetrics* text)
{
    PanePlan& pane = plan.panes[index];
    const QRect& rect = plan.layout.panes[index];
    if (!pane.period || !pane.rows.HasValueRows() || TooLarge(pane))
        return;
    double lo = pane.range.valid ? pane.range.lo : 0;
    double hi = pane.range.valid ? pane.range.hi : 1;
    if (pane.IsVolume()) {
        // Volume rises from a zero line at the bottom, also when nothing traded.
        lo = 0;
        hi = hi > 0 ? hi : 1;
    }
    const bool logarithmic = pane.IsPrice() && pane.definition->logScale;
    const ValueMapper& values = pane.values.emplace(lo, hi, pane.rows.valueTop,
                                                    pane.rows.valueBottom, logarithmic);
    pane.columns.emplace(rect.left() + 2, rect.width() - 4, pane.window.count);

    const bool fits = text != nullptr;
    const int spacing = fits ? std::max(kMinTickSpacing, text->height * 7 / 4) : kMinTickSpacing;
    const int maxTicks = std::min(pane.IsPrice() ? kMaxPriceTicks : kMaxVolumeTicks,
                                  (pane.rows.valueBottom - pane.rows.valueTop) / spacing);
    if (fits && params.assistLine)
        pane.marks = TimeMarks(pane.window.bars, pane.window.first, pane.window.count,
                               *pane.period, rect.width(), text->charWidth);
    const bool labelled = fits && params.assistLine && !plan.layout.priceAxis.isEmpty();
    if (IsFixedRange(pane)) {
        // An oscillator's scale is its guide levels.
        pane.ticks = LevelTicks(pane.levels);
        QStringList labels = LevelLabels(pane.ticks);
        // Too close for two labels: the upper one alone.
        if (labelled && pane.ticks.count == 2
            && values.ToRow(pane.ticks.Value(0)) - values.ToRow(pane.ticks.Value(1))
                < text->height) {
            pane.ticks.first = pane.ticks.Value(1);
            pane.ticks.count = 1;
            labels.removeFirst();
        }
        if (labelled)
            AddValueLabels(plan, index, labels, text->metrics);
        return;
    }
    if (!labelled) {
        pane.ticks = NiceTicks(values.lo(), values.hi(), maxTicks);
        if (pane.IsVolume() && pane.ticks.count > 0 && pane.ticks.first <= 0) {
            // No label at the zero line.
            pane.ticks.first += pane.ticks.step;
            --pane.ticks.count;
        }
        return;
    }
    // Ticks only on rows where a centred label stays inside the pane.
    const int height = text->height;
    const int firstRow = std::max(pane.rows.valueTop, LabelTop(pane, rect) + height / 2);
    const int lastRow = std::min(pane.rows.valueBottom, rect.bottom() + 1 - height + height / 2);
    AxisLabelRequest request;
    request.hi = std::min(values.hi(), values.ToValue(firstRow - 0.49));
    request.lo = std::max(values.lo(), values.ToValue(lastRow + 0.49));
    request.maxTicks = maxTicks;
    request.minStep = values.ToValue(0) - values.ToValue(height);
    request.price = !pane.IsVolume();
    request.width = plan.layout.priceAxis.width() - 2 * kAxisPadding;
    const AxisLabels labels = FitAxisLabels(request, text->metrics);
    pane.ticks = labels.ticks;
    AddValueLabels(plan, index, labels.labels, text->metrics);
}

void AddMessages(ChartPlan& plan, int index, const TextMetrics& text)
{
    const PanePlan& pane = plan.panes[index];
    QRect area = plan.layout.panes[index].adjusted(1, 1, -1, -1);
    area.setTop(pane.rows.textTop);
    if (!pane.period)
        AddCentredLine(plan, kUnreadableText + DisplayText(pane.definition->text), area,
                       text.metrics, TextRole::Message, index, false);
    else if (TooLarge(pane))
        AddCentredLine(plan, kTooLargeText, area, text.metrics, TextRole::Message, index, false);
    else if (!pane.message.isEmpty())
        AddCentredLine(plan, pane.message, area, text.metrics, TextRole::Message, index, false);
}

void AddNotice(ChartPlan& plan, const QString& notice, const std::optional<TextMetrics>& text)
{
    if (notice.isEmpty() || !text)
        return;
    // Where the plot is, or would be with bars.
    QRect area = plan.layout.plot.isValid() ? plan.layout.plot.adjusted(1, 1, -1, -1)
                                            : plan.bounds.adjusted(2, 2, -2, -2);
    if (!plan.freeLine.isEmpty())
        area.setTop(std::max(area.top(), plan.freeLine.bottom() + 1));
    AddCentredLine(plan, notice, area, text->metrics, TextRole::Notice, -1, !plan.panes.empty());
}

void PlanScrollBar(ChartPlan& plan)
{
    const auto first = std::find_if(plan.panes.begin(), plan.panes.end(),
                                    [](const PanePlan& pane) { return pane.period.has_value(); });
    if (first == plan.panes.end())
        return;
    plan.scrollTotal = static_cast<int>(first->window.bars.size());
    plan.scrollFirst = first->window.first;
    plan.scrollCount = first->window.count;
}

} // namespace

ChartPlan PlanChart(const QRect& bounds, const ChartScene& scene)
{
    const ChartParams& params = scene.params;
    ChartPlan plan;
    plan.bounds = bounds;
    plan.style = ChartStyle::From(params);
    if (bounds.isEmpty())
        return plan;

    // panes and their bars
    const std::vector<std::optional<Period>> periods = PanePeriods(scene.charts, params);
    if (!scene.bars.empty()) {
        plan.series = std::make_unique<PeriodSeries>(scene.bars);
        IndicatorInputs inputs(scene.charts, periods);
        for (std::size_t i = 0; i < scene.charts.size(); ++i)
            plan.panes.push_back(MakePane(scene.charts[i], periods[i], *plan.series,
                                          params.dispNum, plan.style, scene.related, inputs));
    }

    // texts, and the line kept for the catalog's label
    std::optional<TextMetrics> text;
    const bool placesText = PlacesText(scene);
    const bool tooLarge = std::any_of(plan.panes.begin(), plan.panes.end(), TooLarge);
    if (placesText || tooLarge || !scene.notice.isEmpty()) {
        text = MeasureText(plan.style, bounds);
        plan.ascent = text->metrics.ascent();
    }
    const bool fits = placesText && text->fits;
    const int freeLine = LineHeightForPoints(std::max(kCatalogLabelPoints, params.fontSize));
    if (bounds.height() >= kFreeLineRows * freeLine)
        plan.freeLine = QRect(bounds.left(), bounds.top(), bounds.width(),
                              LineHeightForPoints(kCatalogLabelPoints));

    // layout: a function of the size, the parameters and the definitions alone
    if (!scene.charts.empty()) {
        const bool labels = params.assistLine && fits;
        LayoutRequest request;
        request.bounds = bounds;
        for (const ChartDefinition& chart : scene.charts)
            request.parts.push_back(PartsOf(chart));
        request.scrollBar = params.showScrollBar;
        if (labels) {
            request.dateAxisHeight = text->height + 2;
            request.axisBelow = RunEnds(periods);
            const int column =
                text->metrics.horizontalAdvance(QLatin1String(kPriceColumnSample))
                + 2 * kAxisPadding;
            // The plot keeps at least twice the column's width.
            if (bounds.width() >= 3 * column)
                request.priceAxisWidth = column;
        }
        plan.layout = ComputeLayout(request);
    }
    if (plan.panes.empty() || plan.layout.panes.size() != plan.panes.size()) {
        plan.scrollBar = !plan.panes.empty() && params.showScrollBar;
        plan.panes.clear();
        plan.layout.panes.clear();
        AddNotice(plan, scene.notice, text);
        return plan;
    }

    // Every pane that reaches into the label line keeps those rows free, however small the
    // panes are.
    const int freeEnd =
        plan.freeLine.isEmpty() ? 0 : plan.layout.panes.front().top() + 1 + freeLine;
    for (std::size_t i = 0; i < plan.panes.size(); ++i) {
        PanePlan& pane = plan.panes[i];
        const QRect& rect = plan.layout.panes[i];
        const bool bands = fits && rect.height() >= kBandRows * text->height;
        const ChartDefinition& chart = *pane.definition;
        PaneRowsRequest rows;
        rows.pane = rect;
        rows.price = pane.IsPrice() || pane.IsIndicator();
        rows.freeLine = std::max(0, freeEnd - (rect.top() + 1));
        rows.textLine = bands ? text->height : 0;
        rows.upper = pane.IsPrice() && (chart.dispMaxMin || !pane.legend.empty());
        rows.lower = pane.IsPrice() && chart.dispMaxMin;
        pane.rows = ArrangePane(rows);
        PlaceValues(plan, static_cast<int>(i), params, fits ? &*text : nullptr);
        if (text) {
            AddMessages(plan, static_cast<int>(i), *text);
            if (bands)
                AddExtremesAndLegend(plan, static_cast<int>(i), text->metrics);
            if (fits && pane.IsIndicator())
                AddPaneLegend(plan, static_cast<int>(i), text->metrics);
        }
    }
    if (params.assistLine && fits)
        AddDateLabels(plan, text->metrics);
    plan.guides = params.assistLine;
    plan.penWidth = bounds.height() >= kTallChart ? 1.5 : 1.0;
    plan.scrollBar = params.showScrollBar;
    PlanScrollBar(plan);
    AddNotice(plan, scene.notice, text);
    return plan;
}

} // namespace quorex::chart
