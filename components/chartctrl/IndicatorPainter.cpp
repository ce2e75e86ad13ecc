#include "IndicatorPainter.h"

#include "RectFill.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace quorex::chart {

namespace {

QPointF At(const PanePlan& pane, int index, double value)
{
    return QPointF(pane.columns->Centre(index) + 0.5, pane.values->ToPixel(value) + 0.5);
}

} // namespace

void DrawCloud(QPainter& painter, const ChartStyle& style, const PanePlan& pane)
{
    const std::vector<double>& a = pane.cloudA;
    const std::vector<double>& b = pane.cloudB;
    QPainterPath up, down;
    up.setFillRule(Qt::WindingFill);
    down.setFillRule(Qt::WindingFill);
    const auto add = [](QPainterPath& path, const QPolygonF& shape) {
        path.addPolygon(shape);
        path.closeSubpath();
    };
    for (int i = 0; i + 1 < static_cast<int>(a.size()) && i + 1 < static_cast<int>(b.size());
         ++i) {
        if (!std::isfinite(a[i]) || !std::isfinite(b[i]) || !std::isfinite(a[i + 1])
            || !std::isfinite(b[i + 1]))
            continue;
        const double d0 = a[i] - b[i];
        const double d1 = a[i + 1] - b[i + 1];
        const QPointF a0 = At(pane, i, a[i]), a1 = At(pane, i + 1, a[i + 1]);
        const QPointF b0 = At(pane, i, b[i]), b1 = At(pane, i + 1, b[i + 1]);
        if ((d0 >= 0) == (d1 >= 0)) {
            add(d0 >= 0 ? up : down, QPolygonF({a0, a1, b1, b0}));
            continue;
        }
        // The spans cross between the bars: a triangle on either side.
        const double t = d0 / (d0 - d1);
        const QPointF cross = a0 + (a1 - a0) * t;
        add(d0 >= 0 ? up : down, QPolygonF({a0, cross, b0}));
        add(d1 >= 0 ? up : down, QPolygonF({cross, a1, b1}));
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.fillPath(up, style.upCloud);
    painter.fillPath(down, style.downCloud);
    painter.restore();
}

void DrawPlotLines(QPainter& painter, const PanePlan& pane, double penWidth)
{
    QPolygonF line;
    for (const PlotLine& plot : pane.lines) {
        QPen pen(plot.color, penWidth, plot.pen, Qt::RoundCap, Qt::RoundJoin);
        pen.setCosmetic(true);
        painter.setPen(pen);
        // A gap splits the line.
        line.clear();
        for (int i = 0; i <= static_cast<int>(plot.values.size()); ++i) {
            const bool defined = i < static_cast<int>(plot.values.size())
                && std::isfinite(plot.values[i]);
            if (defined) {
                line.append(At(pane, i, plot.values[i]));
                continue;
            }
            if (line.size() >= 2)
                painter.drawPolyline(line);
            line.clear();
        }
    }
}

void DrawHistogram(QPainter& painter, const ChartStyle& style, const PanePlan& pane)
{
    std::vector<QRect> rising, falling;
    const int zero = pane.values->ToRow(0);
    const int width = pane.columns->BodyWidth();
    for (int i = 0; i < static_cast<int>(pane.histogram.size()); ++i) {
        const double value = pane.histogram[i];
        if (!std::isfinite(value))
            continue;
        const int row = pane.values->ToRow(value);
        const QRect bar(pane.columns->BodyLeft(i), std::min(row, zero), width,
                        std::abs(row - zero) + 1);
        (value >= 0 ? rising : falling).push_back(bar);
    }
    FillRects(painter, style.upVolume, rising);
    FillRects(painter, style.downVolume, falling);
}

void DrawLevels(QPainter& painter, const ChartStyle& style, const PanePlan& pane,
                const QRect& rect)
{
    const QRect inside = rect.adjusted(1, 1, -1, -1);
    constexpr int kDot = 2;
    std::vector<QRect> dots;
    for (const double level : pane.levels) {
        const int row = pane.values->ToRow(level);
        if (row <= inside.top() || row >= inside.bottom())
            continue;
        for (int x = inside.left(); x <= inside.right(); x += 2 * kDot)
            dots.emplace_back(x, row, std::min(kDot, inside.right() + 1 - x), 1);
    }
    FillRects(painter, style.level, dots);
}

} // namespace quorex::chart
