#include "OverlayPainter.h"

#include "AxisTicks.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace quorex::chart {

namespace {

constexpr int kLeaderLength = 4;   // the short line from a marked bar to its value
constexpr int kLeaderGap = 1;

void DrawMark(QPainter& painter, const QFontMetrics& metrics, const QString& text, int centre,
              int halfBody, int row, const QRect& pane, const QColor& background)
{
    const int width = metrics.horizontalAdvance(text);
    int lineFrom = centre + halfBody + kLeaderGap + 1;
    int lineTo = lineFrom + kLeaderLength;
    int textLeft = lineTo + kLeaderGap + 1;
    if (textLeft + width > pane.right() - 1) {
        // No room on the right: the mark goes to the bar's left.
        lineTo = centre - halfBody - kLeaderGap - 1;
        lineFrom = lineTo - kLeaderLength;
        textLeft = lineFrom - kLeaderGap - 1 - width;
    }
    painter.drawLine(lineFrom, row, lineTo, row);
    const int height = metrics.height();
    const int top = std::clamp(row - height / 2, pane.top() + 1, pane.bottom() - height);
    // A backing keeps the value readable over candles and lines.
    painter.fillRect(textLeft - 1, top, width + 2, height, background);
    painter.drawText(textLeft, top + metrics.ascent(), text);
}

} // namespace

int BaselineForCentre(const QFontMetrics& metrics, int y)
{
    return y + (metrics.ascent() - metrics.descent()) / 2;
}

void DrawMovingAverages(QPainter& painter, const ChartStyle& style,
                        const std::vector<std::vector<double>>& averages,
                        const SlotMapper& columns, const ValueMapper& values, double penWidth)
{
    QPolygonF line;
    for (std::size_t k = 0; k < averages.size() && k < style.movingAverage.size(); ++k) {
        line.clear();
        const std::vector<double>& average = averages[k];
        for (int i = 0; i < static_cast<int>(average.size()); ++i) {
            if (std::isfinite(average[i]))
                line.append(QPointF(columns.Centre(i) + 0.5, values.ToPixel(average[i]) + 0.5));
        }
        if (line.size() < 2)
            continue;
        // A cosmetic pen takes the rasterizer's fast path for thin lines.
        QPen pen(style.movingAverage[k], penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        pen.setCosmetic(true);
        painter.setPen(pen);
        painter.drawPolyline(line);
    }
}

void DrawExtremes(QPainter& painter, const ChartStyle& style, const QFontMetrics& metrics,
                  const SeriesWindow& window, const SlotMapper& columns,
                  const ValueMapper& values, const QRect& pane, int decimals)
{
    const Extremes extremes = FindExtremes(window);
    if (extremes.highest < 0)
        return;
    const int halfBody = columns.BodyWidth() / 2;
    const PriceBar& high = window[extremes.highest];
    const PriceBar& low = window[extremes.lowest];
    DrawMark(painter, metrics, FormatPrice(high.high, decimals), columns.Centre(extremes.highest),
             halfBody, values.ToRow(high.high), pane, style.back);
    if (extremes.lowest != extremes.highest || low.low != high.high)
        DrawMark(painter, metrics, FormatPrice(low.low, decimals), columns.Centre(extremes.lowest),
                 halfBody, values.ToRow(low.low), pane, style.back);
}

void DrawLegend(QPainter& painter, const ChartStyle& style, const QFontMetrics& metrics,
                const std::vector<int>& periods, const QRect& band)
{
    const int space = metrics.horizontalAdvance(QLatin1Char(' '));
    const int baseline = band.top() + metrics.ascent();
    int right = band.right();
    // Right to left, so the last period ends at the band's edge.
    for (int k = std::min<int>(periods.size(), style.movingAverage.size()) - 1; k >= 0; --k) {
        const QString text = QStringLiteral("MA%1").arg(periods[k]);
        const int width = metrics.horizontalAdvance(text);
        if (right - width < band.left())
            break;
        painter.setPen(style.movingAverage[k]);
        painter.drawText(right - width + 1, baseline, text);
        right -= width + space;
    }
}

} // namespace quorex::chart
