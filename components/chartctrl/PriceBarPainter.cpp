#include "PriceBarPainter.h"

#include "PolylineRuns.h"
#include "RectFill.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <vector>

namespace quorex::chart {

void DrawPriceBars(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                   const SlotMapper& columns, const ValueMapper& values)
{
    std::vector<QRect> up, down;
    // Ticks reach half a body out; one pixel at the least.
    const int tick = std::max(1, columns.BodyWidth() / 2);
    for (int i = 0; i < window.count; ++i) {
        const PriceBar& bar = window[i];
        if (!IsDrawable(bar))
            continue;
        std::vector<QRect>& rects = bar.close >= bar.open ? up : down;
        const int centre = columns.Centre(i);
        const int openRow = values.ToRow(bar.open);
        const int closeRow = values.ToRow(bar.close);
        const int highRow = std::min({values.ToRow(bar.high), openRow, closeRow});
        const int lowRow = std::max({values.ToRow(bar.low), openRow, closeRow});
        rects.emplace_back(centre, highRow, 1, lowRow - highRow + 1);
        rects.emplace_back(centre - tick, openRow, tick, 1);
        rects.emplace_back(centre + 1, closeRow, tick, 1);
    }
    FillRects(painter, style.upEdge, up);
    FillRects(painter, style.downEdge, down);
}

void DrawCloseLine(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                   const SlotMapper& columns, const ValueMapper& values, double penWidth)
{
    QPolygonF line;
    const auto draw = [&] {
        if (line.size() >= 2)
            DrawPolylineInRuns(painter, line);
        line.clear();
    };
    QPen pen(style.text, penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(true);
    painter.setPen(pen);
    for (int i = 0; i < window.count; ++i) {
        if (!IsDrawable(window[i])) {
            draw();
            continue;
        }
        line.append(QPointF(columns.Centre(i) + 0.5, values.ToPixel(window[i].close) + 0.5));
    }
    draw();
}

} // namespace quorex::chart
