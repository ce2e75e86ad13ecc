#include "IndicatorPainter.h"

#include "PolylineRuns.h"
#include "RectFill.h"
#include "ThinLineRaster.h"

#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace quorex::chart {

namespace {

// Qt's dash line at one pixel wide: four on, two off.
constexpr double kDashOn = 4;
constexpr double kDashOff = 2;

// Dashes start afresh with each run of points, where they do in QPainter's runs, so a
// printed chart has its dashes where the screen has them.
void DrawDashedInRuns(ThinLineRaster raster, std::span<const QPointF> line)
{
    for (std::size_t first = 0; first + 1 < line.size(); first += kPolylineRun - 1) {
        const std::size_t points = std::min<std::size_t>(kPolylineRun, line.size() - first);
        raster.DrawDashedPolyline(line.subspan(first, points), kDashOn, kDashOff);
    }
}

} // namespace

void DrawCloud(QPainter& painter, const ChartStyle& style, const PanePlan& pane)
{
    const std::vector<double>& a = pane.cloudA;
    const std::vector<double>& b = pane.cloudB;
    const int count = static_cast<int>(std::min(a.size(), b.size()));
    const auto defined = [&](int i) { return std::isfinite(a[i]) && std::isfinite(b[i]); };
    const std::vector<double> xs = pane.columns->PointColumns(std::size_t(count));
    const ValueMapper& values = *pane.values;
    const auto at = [&](int i, double value) {
        return QPointF(xs[std::size_t(i)], values.ToPixel(value) + 0.5);
    };
    painter.save();
    painter.setPen(Qt::NoPen);
    // A tint has no edges worth smoothing, and aliased polygons fill several times faster.
    painter.setRenderHint(QPainter::Antialiasing, false);
    // One polygon per run of bars where one span stays on top: span 1 forwards, span 2
    // back; a run ends where the spans cross, at the crossing point.
    QPolygonF upper, lower;
    // Room for the longest run, both spans and a crossing at each end: clearing keeps it.
    upper.reserve(2 * qsizetype(count) + 2);
    lower.reserve(qsizetype(count) + 1);
    bool rising = true;
    const auto flush = [&] {
        if (upper.size() >= 2) {
            for (auto point = lower.crbegin(); point != lower.crend(); ++point)
                upper.append(*point);
            painter.setBrush(rising ? style.upCloud : style.downCloud);
            painter.drawPolygon(upper);
        }
        upper.clear();
        lower.clear();
    };
    for (int i = 0; i < count; ++i) {
        if (!defined(i)) {
            flush();
            continue;
        }
        const bool above = a[i] >= b[i];
        if (!upper.isEmpty() && above != rising) {
            // The spans cross between bar i - 1 and bar i.
            const double d0 = a[i - 1] - b[i - 1];
            const double d1 = a[i] - b[i];
            const QPointF a0 = at(i - 1, a[i - 1]), a1 = at(i, a[i]);
            const QPointF cross = a0 + (a1 - a0) * (d0 / (d0 - d1));
            upper.append(cross);
            flush();
            upper.append(cross);
        }
        rising = above;
        upper.append(at(i, a[i]));
        lower.append(at(i, b[i]));
    }
    flush();
    painter.restore();
}

void DrawPlotLines(QPainter& painter, const PanePlan& pane, double penWidth)
{
    // Thin solid and dashed lines on a plain image skip QPainter's stroker.
    QImage* direct = penWidth == 1 ? ThinLineRaster::TargetOf(painter) : nullptr;
    std::size_t longest = 0;
    for (const PlotLine& plot : pane.lines)
        longest = std::max(longest, plot.values.size());
    const std::vector<double> xs = pane.columns->PointColumns(longest);
    const ValueMapper& values = *pane.values;
    // Written in place: appending point by point cost as much as working the points out.
    std::vector<QPointF> points(longest);
    for (const PlotLine& plot : pane.lines) {
        const bool fast = direct && (plot.pen == Qt::SolidLine || plot.pen == Qt::DashLine);
        if (!fast) {
            QPen pen(plot.color, penWidth, plot.pen, Qt::RoundCap, Qt::RoundJoin);
            pen.setCosmetic(true);
            painter.setPen(pen);
        }
        // A gap splits the line.
        std::size_t used = 0;
        const auto draw = [&] {
            const std::span<const QPointF> line(points.data(), used);
            if (line.size() >= 2 && fast && plot.pen == Qt::DashLine)
                DrawDashedInRuns(ThinLineRaster(*direct, plot.color), line);
            else if (line.size() >= 2 && fast)
                ThinLineRaster(*direct, plot.color).DrawPolyline(line);
            else if (line.size() >= 2)
                DrawPolylineInRuns(painter, QPolygonF(QList<QPointF>(line.begin(), line.end())));
            used = 0;
        };
        for (std::size_t i = 0; i < plot.values.size(); ++i) {
            const double value = plot.values[i];
            if (std::isfinite(value))
                points[used++] = QPointF(xs[i], values.ToPixel(value) + 0.5);
            else
                draw();
        }
        draw();
    }
}

void DrawHistogram(QPainter& painter, const ChartStyle& style, const PanePlan& pane)
{
    std::vector<QRect> rising, falling;
    rising.reserve(pane.histogram.size());
    falling.reserve(pane.histogram.size());
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
    dots.reserve(pane.levels.size() * std::size_t(std::max(0, inside.width() / (2 * kDot) + 1)));
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
