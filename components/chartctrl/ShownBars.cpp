#include "ShownBars.h"

namespace quorex::chart {

std::vector<ShownPane> ShownPanes(const ChartPlan& plan)
{
    std::vector<ShownPane> shown;
    for (std::size_t i = 0; i < plan.panes.size() && i < plan.layout.panes.size(); ++i) {
        const PanePlan& pane = plan.panes[i];
        if (!pane.columns || pane.window.count <= 0)
            continue;
        ShownPane entry{plan.layout.panes[i], *pane.columns, {}};
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
