#include "AxisPainter.h"

#include "RectFill.h"

#include <QPainter>

#include <vector>

namespace quorex::chart {

void DrawGuides(QPainter& painter, const QColor& color, const QRect& pane,
                const ValueMapper& values, const AxisTicks& ticks, const SlotMapper& columns,
                const std::vector<TimeMark>& marks)
{
    const QRect inside = pane.adjusted(1, 1, -1, -1);
    std::vector<QRect> lines;
    for (int k = 0; k < ticks.count; ++k) {
        const int row = values.ToRow(ticks.Value(k));
        if (row > inside.top() && row < inside.bottom())
            lines.emplace_back(inside.left(), row, inside.width(), 1);
    }
    for (const TimeMark& mark : marks) {
        const int column = columns.Boundary(mark.index);
        if (column > inside.left() && column < inside.right())
            lines.emplace_back(column, inside.top(), 1, inside.height());
    }
    FillRects(painter, color, lines);
}

void DrawFrames(QPainter& painter, const QColor& color, const ChartLayout& layout)
{
    std::vector<QRect> lines;
    for (const QRect& box : layout.boxes) {
        lines.emplace_back(box.left(), box.top(), box.width(), 1);
        lines.emplace_back(box.left(), box.bottom(), box.width(), 1);
        lines.emplace_back(box.left(), box.top(), 1, box.height());
        lines.emplace_back(box.right(), box.top(), 1, box.height());
    }
    // A pane that starts a box has its border already.
    for (std::size_t i = 1; i < layout.panes.size(); ++i) {
        if (layout.dateAxes[i - 1].isEmpty())
            lines.emplace_back(layout.plot.left(), layout.panes[i].top(), layout.plot.width(), 1);
    }
    FillRects(painter, color, lines);
}

} // namespace quorex::chart
