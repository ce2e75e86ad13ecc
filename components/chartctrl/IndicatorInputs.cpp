#include "IndicatorInputs.h"

#include "PaneIndicators.h"

#include <algorithm>

namespace quorex::chart {

std::vector<double> IndicatorView::Shown(const indicators::Line& line) const
{
    std::vector<double> shown(static_cast<std::size_t>(count), indicators::kUndefined);
    for (std::size_t i = 0; i < shown.size() && offset + i < line.values.size(); ++i)
        shown[i] = line.values[offset + i];
    return shown;
}

IndicatorInputs::IndicatorInputs(std::span<const ChartDefinition> charts,
                                 std::span<const std::optional<Period>> periods)
{
    for (std::size_t i = 0; i < charts.size() && i < periods.size(); ++i) {
        if (!periods[i])
            continue;
        Copy& copy = m_copies[static_cast<std::size_t>(*periods[i])];
        copy.lookBack = std::max(copy.lookBack, IndicatorLookBack(charts[i]));
        copy.withRange = copy.withRange || ReadsRange(charts[i]);
    }
}

bool IndicatorInputs::ReadsRange(const ChartDefinition& chart)
{
    return IsPriceKind(chart.kind) ? chart.ichimoku.has_value() : chart.kind == ChartKind::Stoch;
}

void IndicatorInputs::Make(Copy& copy, const SeriesWindow& window)
{
    const std::size_t first = static_cast<std::size_t>(window.first);
    const std::size_t end = first + static_cast<std::size_t>(window.count);
    copy.window = window;
    copy.from = first - std::min(first, copy.lookBack);
    copy.made = true;
    const std::size_t size = end - copy.from;
    copy.close.resize(size);
    copy.high.resize(copy.withRange ? size : 0);
    copy.low.resize(copy.withRange ? size : 0);
    for (std::size_t i = copy.from; i < end; ++i) {
        const PriceBar& bar = window.bars[i];
        const bool drawable = IsDrawable(bar);
        copy.close[i - copy.from] = drawable ? bar.close : indicators::kUndefined;
        if (copy.withRange) {
            copy.high[i - copy.from] = drawable ? bar.high : indicators::kUndefined;
            copy.low[i - copy.from] = drawable ? bar.low : indicators::kUndefined;
        }
    }
}

IndicatorView IndicatorInputs::For(Period period, const SeriesWindow& window,
                                   std::size_t lookBack, bool withRange)
{
    Copy& copy = m_copies[static_cast<std::size_t>(period)];
    const bool same = copy.made && copy.window.bars.data() == window.bars.data()
        && copy.window.bars.size() == window.bars.size() && copy.window.first == window.first
        && copy.window.count == window.count;
    // A pane the charts did not announce still gets what it reads.
    if (!same || lookBack > copy.lookBack || (withRange && !copy.withRange)) {
        copy.lookBack = std::max(copy.lookBack, lookBack);
        copy.withRange = copy.withRange || withRange;
        Make(copy, window);
    }
    const std::size_t first = static_cast<std::size_t>(window.first);
    const std::size_t from = first - std::min(first, lookBack);
    const std::size_t skip = from - copy.from;
    const std::size_t size = first + static_cast<std::size_t>(window.count) - from;
    IndicatorView view;
    view.close = std::span<const double>(copy.close).subspan(skip, size);
    if (withRange) {
        view.high = std::span<const double>(copy.high).subspan(skip, size);
        view.low = std::span<const double>(copy.low).subspan(skip, size);
    }
    view.offset = first - from;
    view.count = window.count;
    return view;
}

} // namespace quorex::chart
