#include "AxisPainter.h"

#include <QPainter>

namespace quorex::chart {

void DrawGuides(QPainter& painter, const QColor& color, const QRect& pane,
                const ValueMapper& values, const AxisTicks& ticks, const SlotMapper& columns,
                const std::vector<TimeMark>& marks)
{
    const QRect inside = pane.adjusted(1, 1, -1, -1);
    for (int k = 0; k < ticks.count; ++k) {
        const int row = values.ToRow(ticks.Value(k));
        if (row > inside.top() && row < inside.bottom())
            painter.fillRect(inside.left(), row, inside.width(), 1, color);
    }
    for (const TimeMark& mark : marks) {
        const int column = columns.Boundary(mark.index);
        if (column > inside.left() && column < inside.right())
            painter.fillRect(column, inside.top(), 1, inside.height(), color);
    }
}

void DrawFrames(QPainter& painter, const QColor& color, const ChartLayout& layout)
{
    for (const QRect& box : layout.boxes) {
        painter.fillRect(box.left(), box.top(), box.width(), 1, color);
        painter.fillRect(box.left(), box.bottom(), box.width(), 1, color);
        painter.fillRect(box.left(), box.top(), 1, box.height(), color);
        painter.fillRect(box.right(), box.top(), 1, box.height(), color);
    }
    // A pane that starts a box has its border already.
    for (std::size_t i = 1; i < layout.panes.size(); ++i) {
        if (layout.dateAxes[i - 1].isEmpty())
            painter.fillRect(layout.plot.left(), layout.panes[i].top(), layout.plot.width(), 1,
                             color);
    }
}

} // namespace quorex::chart
