#include "PaneTexts.h"

#include "TextWidthCache.h"

#include <QFontMetrics>

#include <algorithm>
#include <optional>

namespace quorex::chart {

namespace {

constexpr int kLabelPadding = 3;
constexpr int kMessagePadding = 2;
// An indicator pane's legend needs this many lines of the pane's height.
constexpr int kPaneLegendRows = 3;

// A text of `width` in `band`, centred over `centre` as far as the band allows.
std::optional<QRect> OverColumn(int centre, int width, const QRect& band)
{
    if (band.isEmpty() || width > band.width())
        return std::nullopt;
    const int left = std::clamp(centre - width / 2, band.left(), band.right() + 1 - width);
    return QRect(left, band.top(), width, band.height());
}

void AddExtreme(ChartPlan& plan, int index, const QFontMetrics& metrics, double value,
                int centre, const QRect& band, int decimals)
{
    const QString text = FormatPrice(value, decimals);
    if (const auto rect = OverColumn(centre, metrics.horizontalAdvance(text), band))
        plan.texts.push_back({*rect, text, plan.style.text, TextRole::Extreme, index, true});
}

struct LegendPart {
    QString text;
    int width;
    QColor color;
};

// The legend in `band` at one edge; as many periods as fit, from the first.
std::vector<TextItem> LegendAt(const std::vector<LegendPart>& parts, int space,
                               const QRect& band, bool right, int index)
{
    std::size_t shown = parts.size();
    const auto widthOf = [&](std::size_t count) {
        int width = 0;
        for (std::size_t k = 0; k < count; ++k)
            width += parts[k].width + (k > 0 ? space : 0);
        return width;
    };
    while (shown > 0 && widthOf(shown) > band.width())
        --shown;
    std::vector<TextItem> items;
    int left = right ? band.right() + 1 - widthOf(shown) : band.left();
    for (std::size_t k = 0; k < shown; ++k) {
        items.push_back({QRect(left, band.top(), parts[k].width, band.height()), parts[k].text,
                         parts[k].color, TextRole::Legend, index, false});
        left += parts[k].width + space;
    }
    return items;
}

std::vector<LegendPart> PartsOf(const PanePlan& pane, const QFont& font,
                                const QFontMetrics& metrics)
{
    std::vector<LegendPart> parts;
    for (const LegendEntry& entry : pane.legend)
        parts.push_back({entry.text, TextWidthCache::WidthOf(font, metrics, entry.text),
                         entry.color});
    return parts;
}

bool Meets(const std::vector<TextItem>& items, const std::vector<QRect>& avoid)
{
    return std::any_of(items.begin(), items.end(), [&](const TextItem& item) {
        return std::any_of(avoid.begin(), avoid.end(),
                           [&](const QRect& rect) { return rect.intersects(item.rect); });
    });
}

void AddLegend(ChartPlan& plan, int index, const QFontMetrics& metrics,
               const std::vector<QRect>& avoid)
{
    const PanePlan& pane = plan.panes[index];
    const std::vector<LegendPart> parts = PartsOf(pane, plan.style.font, metrics);
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    // Right above the bars first, as a legend is usually read; then wherever it meets no
    // value mark; the first place that shows every period wins.
    std::vector<TextItem> best;
    for (const QRect& band : {pane.rows.upperBand, pane.rows.lowerBand}) {
        if (band.isEmpty())
            continue;
        for (const bool right : {true, false}) {
            std::vector<TextItem> items = LegendAt(parts, space, band, right, index);
            if (items.size() > best.size() && !Meets(items, avoid))
                best = std::move(items);
        }
    }
    plan.texts.insert(plan.texts.end(), best.begin(), best.end());
}

} // namespace

int LabelTop(const PanePlan& pane, const QRect& rect)
{
    return pane.rows.freeLine.isEmpty() ? rect.top() : pane.rows.freeLine.bottom() + 1;
}

void AddValueLabels(ChartPlan& plan, int index, const QStringList& labels,
                    const QFontMetrics& metrics)
{
    const PanePlan& pane = plan.panes[index];
    const QRect& rect = plan.layout.panes[index];
    const QRect& axis = plan.layout.priceAxis;
    const int height = metrics.height();
    const int top = LabelTop(pane, rect);
    for (int k = 0; k < pane.ticks.count && k < labels.size(); ++k) {
        const int row = pane.values->ToRow(pane.ticks.Value(k));
        const int labelTop = row - height / 2;
        // A label that would leave its pane is dropped, so neighbours never meet.
        if (labelTop < top || labelTop + height > rect.bottom() + 1)
            continue;
        plan.texts.push_back({QRect(axis.left() + kLabelPadding, labelTop,
                                    metrics.horizontalAdvance(labels[k]), height),
                              labels[k], plan.style.text, TextRole::PriceLabel, index, false});
    }
}

void AddDateLabels(ChartPlan& plan, const QFontMetrics& metrics)
{
    const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
    for (std::size_t i = 0; i < plan.layout.dateAxes.size(); ++i) {
        const QRect& axis = plan.layout.dateAxes[i];
        if (axis.isEmpty())
            continue;
        // The nearest pane with bars above the axis, within its run.
        int source = static_cast<int>(i);
        while (source >= 0 && !plan.panes[source].columns) {
            --source;
            if (source >= 0 && !plan.layout.dateAxes[source].isEmpty())
                source = -1;
        }
        if (source < 0)
            continue;
        const PanePlan& pane = plan.panes[source];
        int freeFrom = axis.left();
        for (const TimeMark& mark : pane.marks) {
            const int width = metrics.horizontalAdvance(mark.label);
            // Starting at its boundary, or ending at the axis's edge when that is too near.
            const int left = std::min(pane.columns->Boundary(mark.index) + 2,
                                      axis.right() + 1 - width);
            if (left < freeFrom)
                continue;
            plan.texts.push_back({QRect(left, axis.top() + 1, width, metrics.height()),
                                  mark.label, plan.style.text, TextRole::DateLabel, source,
                                  false});
            freeFrom = left + width + gap;
        }
    }
}

void AddExtremesAndLegend(ChartPlan& plan, int index, const QFontMetrics& metrics)
{
    const PanePlan& pane = plan.panes[index];
    if (!pane.IsPrice() || !pane.values || !pane.columns)
        return;
    const std::size_t before = plan.texts.size();
    if (pane.definition->dispMaxMin && pane.range.valid) {
        const Extremes extremes = FindExtremes(pane.window);
        if (extremes.highest >= 0) {
            const int decimals = WrittenDecimals(
                pane.window.bars.subspan(pane.window.first, pane.window.count));
            const PriceBar& high = pane.window[extremes.highest];
            const PriceBar& low = pane.window[extremes.lowest];
            AddExtreme(plan, index, metrics, high.high, pane.columns->Centre(extremes.highest),
                       pane.rows.upperBand, decimals);
            if (extremes.lowest != extremes.highest || low.low != high.high)
                AddExtreme(plan, index, metrics, low.low, pane.columns->Centre(extremes.lowest),
                           pane.rows.lowerBand, decimals);
        }
    }
    if (pane.legend.empty())
        return;
    // The legend keeps a space's width from the value marks.
    std::vector<QRect> avoid;
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    for (std::size_t k = before; k < plan.texts.size(); ++k)
        avoid.push_back(plan.texts[k].rect.adjusted(-space, 0, space, 0));
    AddLegend(plan, index, metrics, avoid);
}

void AddPaneLegend(ChartPlan& plan, int index, const QFontMetrics& metrics)
{
    const PanePlan& pane = plan.panes[index];
    const QRect& rect = plan.layout.panes[index];
    const int height = metrics.height();
    // Over the lines' top left corner, where an oscillator seldom is; only in panes that
    // keep most of their height free of it.
    const int top = std::max(pane.rows.textTop, LabelTop(pane, rect));
    if (pane.legend.empty() || rect.bottom() + 1 - top < kPaneLegendRows * height)
        return;
    const QRect band(rect.left() + kLabelPadding, top, rect.width() - 2 * kLabelPadding, height);
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    std::vector<TextItem> items =
        LegendAt(PartsOf(pane, plan.style.font, metrics), space, band, false, index);
    for (TextItem& item : items)
        item.backed = true;
    plan.texts.insert(plan.texts.end(), items.begin(), items.end());
}

void AddCentredLine(ChartPlan& plan, const QString& text, const QRect& area,
                    const QFontMetrics& metrics, TextRole role, int index, bool backed)
{
    const QRect room = area.adjusted(kMessagePadding, 0, -kMessagePadding, 0);
    const int height = metrics.height();
    if (text.isEmpty() || room.height() < height || room.width() <= 0)
        return;
    const QString shown = metrics.elidedText(text, Qt::ElideRight, room.width());
    const int width = metrics.horizontalAdvance(shown);
    if (shown.isEmpty() || width > room.width())
        return;
    const QRect rect(room.left() + (room.width() - width) / 2,
                     room.top() + (room.height() - height) / 2, width, height);
    plan.texts.push_back({rect, shown, plan.style.notice, role, index, backed});
}

} // namespace quorex::chart
