#include "ShownBars.h"

#include <algorithm>

namespace quorex::chart {

std::vector<ShownPane> ShownPanes(ChartPlan&& plan)
{
    std::vector<ShownPane> shown;
    for (std::size_t i = 0; i < plan.panes.size() && i < plan.layout.panes.size(); ++i) {
        PanePlan& pane = plan.panes[i];
        if (!pane.columns || pane.window.count <= 0)
            continue;
        ShownPane entry{plan.layout.panes[i], *pane.columns, {}, std::move(pane.named)};
        entry.bars.reserve(static_cast<std::size_t>(pane.window.count));
        for (int bar = 0; bar < pane.window.count; ++bar)
            entry.bars.push_back(pane.window[bar]);
        shown.push_back(std::move(entry));
    }
    return shown;
}

std::optional<PriceBar> BarUnder(std::span<const ShownPane> panes, QPoint point)
{
    for (const ShownPane& pane : panes) {
        if (!pane.rect.contains(point))
            continue;
        const int count = static_cast<int>(pane.bars.size());
        const SlotMapper& columns = pane.columns;
        if (count == 0 || point.x() < columns.Boundary(0) || point.x() >= columns.Boundary(count))
            return std::nullopt;
        // Bar i owns the columns from Boundary(i) up to Boundary(i + 1).
        int index = static_cast<int>((point.x() - columns.Boundary(0)) / columns.slotWidth());
        while (index > 0 && columns.Boundary(index) > point.x())
            --index;
        while (index + 1 < count && columns.Boundary(index + 1) <= point.x())
            ++index;
        return pane.bars[static_cast<std::size_t>(std::min(index, count - 1))];
    }
    return std::nullopt;
}

} // namespace quorex::chart

namespace quorex::chart {

namespace {

void AddValuesAt(const ShownPane& pane, std::size_t index, std::vector<IndicatorValue>& values)
{
    for (const auto& [name, line] : pane.named) {
        if (index < line.size())
            values.push_back({name.toStdString(), line[index]});
    }
}

} // namespace

std::vector<IndicatorValue> ValuesOn(std::span<const ShownPane> panes, std::int32_t date)
{
    std::vector<IndicatorValue> values;
    for (const ShownPane& pane : panes) {
        const auto bar = std::find_if(pane.bars.begin(), pane.bars.end(),
                                      [date](const PriceBar& b) { return b.date == date; });
        if (bar != pane.bars.end())
            AddValuesAt(pane, static_cast<std::size_t>(bar - pane.bars.begin()), values);
    }
    return values;
}

std::vector<IndicatorValue> NewestValuesOf(std::span<const ShownPane> panes)
{
    std::vector<IndicatorValue> values;
    for (const ShownPane& pane : panes) {
        if (!pane.bars.empty())
            AddValuesAt(pane, pane.bars.size() - 1, values);
    }
    return values;
}

} // namespace quorex::chart
