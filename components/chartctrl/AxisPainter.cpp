#include "AxisPainter.h"

#include "OverlayPainter.h"

#include <QFontMetrics>
#include <QPainter>

namespace quorex::chart {

namespace {

constexpr int kLabelPadding = 3;

// A label centred on `row` that stays inside its pane.
bool LabelFits(const QFontMetrics& metrics, const QRect& pane, int row)
{
    const int top = row - metrics.height() / 2;
    return top >= pane.top() && top + metrics.height() <= pane.bottom() + 1;
}

} // namespace

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

void DrawValueLabels(QPainter& painter, const QFontMetrics& metrics, const QRect& axis,
                     const QRect& pane, const ValueMapper& values, const AxisTicks& ticks,
                     const QStringList& labels)
{
    for (int k = 0; k < ticks.count && k < labels.size(); ++k) {
        const int row = values.ToRow(ticks.Value(k));
        if (!LabelFits(metrics, pane, row))
            continue;
        painter.drawText(axis.left() + kLabelPadding, BaselineForCentre(metrics, row), labels[k]);
    }
}

void DrawTimeLabels(QPainter& painter, const QFontMetrics& metrics, const QRect& axis,
                    const SlotMapper& columns, const std::vector<TimeMark>& marks)
{
    const int baseline = axis.top() + 1 + metrics.ascent();
    const int gap = metrics.horizontalAdvance(QLatin1Char(' '));
    int freeFrom = axis.left();
    for (const TimeMark& mark : marks) {
        const int left = columns.Boundary(mark.index) + 2;
        const int width = metrics.horizontalAdvance(mark.label);
        if (left < freeFrom || left + width > axis.right() + 1)
            continue;
        painter.drawText(left, baseline, mark.label);
        freeFrom = left + width + gap;
    }
}

void DrawFrames(QPainter& painter, const QColor& color, const QRect& plot,
                const std::vector<QRect>& panes)
{
    painter.fillRect(plot.left(), plot.top(), plot.width(), 1, color);
    painter.fillRect(plot.left(), plot.bottom(), plot.width(), 1, color);
    painter.fillRect(plot.left(), plot.top(), 1, plot.height(), color);
    painter.fillRect(plot.right(), plot.top(), 1, plot.height(), color);
    for (std::size_t i = 1; i < panes.size(); ++i)
        painter.fillRect(plot.left(), panes[i].top(), plot.width(), 1, color);
}

} // namespace quorex::chart
