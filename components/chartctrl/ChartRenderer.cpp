#include "ChartRenderer.h"

#include "AxisPainter.h"
#include "CandlePainter.h"
#include "ChartLayout.h"
#include "ChartStyle.h"
#include "OverlayPainter.h"
#include "PeriodBars.h"
#include "ScrollBarPainter.h"
#include "SeriesWindow.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <optional>
#include <vector>

namespace quorex::chart {

namespace {

constexpr int kPriceParts = 3;
constexpr int kVolumeParts = 1;
// Texts are left out when the chart cannot hold this many lines and characters.
constexpr int kMinTextRows = 5;
constexpr int kMinTextColumns = 12;
// A legend (or free top) line only in panes of at least this many text lines.
constexpr int kLegendRows = 5;
constexpr int kMaxPriceTicks = 8;
constexpr int kMaxVolumeTicks = 3;
constexpr int kMinTickSpacing = 24;
constexpr int kValuePadding = 2;
constexpr int kAxisPadding = 3;
// Thicker moving averages in charts from this height on.
constexpr int kTallChart = 400;

// The daily bars and, made once when first asked for, the longer periods.
class PeriodSeries {
public:
    explicit PeriodSeries(std::span<const PriceBar> daily) : m_daily(daily) {}

    std::span<const PriceBar> Get(Period period)
    {
        if (period == Period::Daily)
            return m_daily;
        auto& cache = period == Period::Weekly ? m_weekly : m_monthly;
        if (!cache)
            cache = AggregateBars(m_daily, period);
        return *cache;
    }

private:
    std::span<const PriceBar> m_daily;
    std::optional<std::vector<PriceBar>> m_weekly;
    std::optional<std::vector<PriceBar>> m_monthly;
};

struct Pane {
    const ChartDefinition* definition = nullptr;
    Period period = Period::Daily;
    SeriesWindow window;
    std::vector<std::vector<double>> averages;
    ValueRange range;
    QRect legend;
    std::optional<ValueMapper> values;
    AxisTicks ticks;
    QStringList labels;
    std::vector<TimeMark> marks;

    bool IsPrice() const { return IsPriceKind(definition->kind); }
};

// Text measures, present only when some text will be drawn.
struct TextMetrics {
    QFontMetrics metrics;
    int height;
    int charWidth;
};

Pane MakePane(const ChartDefinition& definition, Period volumePeriod, PeriodSeries& series,
              int dispNum)
{
    Pane pane;
    pane.definition = &definition;
    pane.period = IsPriceKind(definition.kind) ? PeriodOf(definition.kind) : volumePeriod;
    pane.window = SeriesWindow::Latest(series.Get(pane.period), dispNum);
    if (pane.IsPrice()) {
        pane.range = PriceRange(pane.window);
        for (const int period : definition.movingAverages) {
            pane.averages.push_back(MovingAverage(pane.window, period));
            for (const double value : pane.averages.back())
                pane.range.Include(value);
        }
    } else {
        pane.range.Include(0);
        for (int i = 0; i < pane.window.count; ++i)
            pane.range.Include(pane.window[i].volume);
    }
    return pane;
}

// Rows of a pane: where its values map, its legend line, its ticks. The top pane keeps a
// free line at its top, where a catalog writes its label over the picture.
void PlaceValues(Pane& pane, const QRect& rect, const TextMetrics* text, bool topPane,
                 int lineHeight)
{
    int top = rect.top() + 1 + kValuePadding;
    int bottom = rect.bottom() - 1;
    if (pane.IsPrice()) {
        bottom -= kValuePadding;
        const bool legend = text && !pane.definition->movingAverages.empty();
        if ((legend || topPane) && rect.height() >= kLegendRows * lineHeight) {
            pane.legend = QRect(rect.left() + 2, rect.top() + 1, rect.width() - 4, lineHeight);
            top = pane.legend.bottom() + 1 + kValuePadding;
        }
        if (text && pane.definition->dispMaxMin) {
            // Room for a value centred on the highest and the lowest bar.
            top += text->height / 2;
            bottom -= text->height / 2;
        }
    }
    double lo = pane.range.valid ? pane.range.lo : 0;
    double hi = pane.range.valid ? pane.range.hi : 1;
    if (!pane.IsPrice()) {
        // Volume rises from a zero line at the bottom, also when nothing traded.
        lo = 0;
        hi = hi > 0 ? hi : 1;
    }
    pane.values.emplace(lo, hi, top, std::max(top, bottom));

    const int spacing = text ? std::max(kMinTickSpacing, text->height * 7 / 4) : kMinTickSpacing;
    const int maxTicks = std::min(pane.IsPrice() ? kMaxPriceTicks : kMaxVolumeTicks,
                                  (bottom - top) / spacing);
    pane.ticks = NiceTicks(pane.values->lo(), pane.values->hi(), maxTicks);
    if (!pane.IsPrice() && pane.ticks.count > 0 && pane.ticks.first <= 0) {
        // No label at the zero line.
        pane.ticks.first += pane.ticks.step;
        --pane.ticks.count;
    }
}

int LabelWidth(Pane& pane, const TextMetrics& text)
{
    int widest = 0;
    pane.labels.clear();
    for (int k = 0; k < pane.ticks.count; ++k) {
        const double value = pane.ticks.Value(k);
        pane.labels.append(pane.IsPrice() ? FormatPrice(value, pane.ticks.decimals)
                                          : FormatVolume(value));
        widest = std::max(widest, text.metrics.horizontalAdvance(pane.labels.back()));
    }
    return widest;
}

SlotMapper SlotsOf(const Pane& pane, const QRect& rect)
{
    return SlotMapper(rect.left() + 2, rect.width() - 4, pane.window.count);
}

} // namespace

void RenderChart(QPainter& painter, const QRect& bounds, const ChartScene& scene)
{
    const ChartParams& params = scene.params;
    const ChartStyle style = ChartStyle::From(params);
    painter.save();
    painter.fillRect(bounds, style.back);
    if (bounds.isEmpty() || scene.bars.empty() || scene.charts.empty()) {
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // panes and their bars
    const auto firstPrice = std::find_if(scene.charts.begin(), scene.charts.end(),
        [](const ChartDefinition& chart) { return IsPriceKind(chart.kind); });
    const Period volumePeriod =
        firstPrice != scene.charts.end() ? PeriodOf(firstPrice->kind) : Period::Daily;
    PeriodSeries series(scene.bars);
    std::vector<Pane> panes;
    LayoutRequest request{bounds, {}, params.showScrollBar, 0, 0};
    bool wantText = params.assistLine;
    for (const ChartDefinition& chart : scene.charts) {
        panes.push_back(MakePane(chart, volumePeriod, series, params.dispNum));
        request.parts.push_back(IsPriceKind(chart.kind) ? kPriceParts : kVolumeParts);
        wantText = wantText
            || (IsPriceKind(chart.kind) && (chart.dispMaxMin || !chart.movingAverages.empty()));
    }

    // texts, when they fit
    std::optional<TextMetrics> text;
    if (wantText) {
        QFontMetrics metrics(style.font);
        const int height = metrics.height();
        const int charWidth = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
        if (height * kMinTextRows <= bounds.height()
            && charWidth * kMinTextColumns <= bounds.width())
            text.emplace(TextMetrics{metrics, height, charWidth});
    }
    const bool labels = params.assistLine && text;
    const TextMetrics* textOrNull = text ? &*text : nullptr;

    // layout: pane heights first, then the label column that their ticks need
    request.dateAxisHeight = labels ? text->height + 2 : 0;
    ChartLayout layout = ComputeLayout(request);
    if (layout.panes.size() != panes.size()) {
        DrawScrollBar(painter, style, layout.scrollBar, 0, 0, 0);
        painter.restore();
        return;
    }
    const int lineHeight = text ? text->height : PixelSizeForPoints(params.fontSize) * 5 / 4;
    for (std::size_t i = 0; i < panes.size(); ++i)
        PlaceValues(panes[i], layout.panes[i], textOrNull, i == 0, lineHeight);
    if (labels) {
        int widest = 0;
        for (Pane& pane : panes)
            widest = std::max(widest, LabelWidth(pane, *text));
        request.priceAxisWidth = widest + 2 * kAxisPadding;
        layout = ComputeLayout(request);
    }

    std::vector<SlotMapper> columns;
    columns.reserve(panes.size());
    for (std::size_t i = 0; i < panes.size(); ++i)
        columns.push_back(SlotsOf(panes[i], layout.panes[i]));

    // guide lines under everything
    if (params.assistLine) {
        for (std::size_t i = 0; i < panes.size(); ++i) {
            Pane& pane = panes[i];
            if (text)
                pane.marks = TimeMarks(pane.window.bars, pane.window.first, pane.window.count,
                                       pane.period, layout.panes[i].width(), text->charWidth);
            DrawGuides(painter, style.grid, layout.panes[i], *pane.values, pane.ticks, columns[i],
                       pane.marks);
        }
    }

    // bars, then lines and marks over them
    const double penWidth = bounds.height() >= kTallChart ? 1.5 : 1.0;
    for (std::size_t i = 0; i < panes.size(); ++i) {
        const Pane& pane = panes[i];
        if (pane.IsPrice()) {
            DrawCandles(painter, style, pane.window, columns[i], *pane.values);
            DrawMovingAverages(painter, style, pane.averages, columns[i], *pane.values, penWidth);
        } else {
            DrawVolumeBars(painter, style, pane.window, columns[i], *pane.values);
        }
    }
    DrawFrames(painter, style.frame, layout.plot, layout.panes);

    if (text) {
        painter.setFont(style.font);
        for (std::size_t i = 0; i < panes.size(); ++i) {
            const Pane& pane = panes[i];
            if (!pane.legend.isEmpty() && !pane.definition->movingAverages.empty())
                DrawLegend(painter, style, text->metrics, pane.definition->movingAverages,
                           pane.legend);
            painter.setPen(style.text);
            if (pane.IsPrice() && pane.definition->dispMaxMin && pane.range.valid) {
                const ValueRange shown = PriceRange(pane.window);
                DrawExtremes(painter, style, text->metrics, pane.window, columns[i], *pane.values,
                             layout.panes[i], PriceDecimals(shown.lo, shown.hi));
            }
            if (labels)
                DrawValueLabels(painter, text->metrics, layout.priceAxis, layout.panes[i],
                                *pane.values, pane.ticks, pane.labels);
        }
        if (labels)
            DrawTimeLabels(painter, text->metrics, layout.dateAxis, columns.back(),
                           panes.back().marks);
    }

    if (params.showScrollBar) {
        const SeriesWindow& window = panes.front().window;
        DrawScrollBar(painter, style, layout.scrollBar, static_cast<int>(window.bars.size()),
                      window.first, window.count);
    }
    painter.restore();
}

} // namespace quorex::chart
