#include "OverlayPainter.h"

#include "PolylineRuns.h"
#include "ThinLineRaster.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

namespace quorex::chart {

void DrawMovingAverages(QPainter& painter, const ChartStyle& style,
                        const std::vector<std::vector<double>>& averages,
                        const SlotMapper& columns, const ValueMapper& values, double penWidth,
                        bool direct)
{
    QImage* target = direct && penWidth == 1 ? ThinLineRaster::TargetOf(painter) : nullptr;
    std::size_t longest = 0;
    for (const std::vector<double>& average : averages)
        longest = std::max(longest, average.size());
    const std::vector<double> xs = columns.PointColumns(longest);
    // Written in place: appending point by point cost as much as working the points out.
    QPolygonF line;
    line.reserve(qsizetype(longest));
    for (std::size_t k = 0; k < averages.size() && k < style.movingAverage.size(); ++k) {
        const std::vector<double>& average = averages[k];
        line.resize(qsizetype(average.size()));
        QPointF* points = line.data();
        qsizetype used = 0;
        for (std::size_t i = 0; i < average.size(); ++i) {
            if (std::isfinite(average[i]))
                points[used++] = QPointF(xs[i], values.ToPixel(average[i]) + 0.5);
        }
        line.resize(used);
        if (line.size() < 2)
            continue;
        if (target) {
            ThinLineRaster(*target, style.movingAverage[k]).DrawPolyline(line);
            continue;
        }
        // A cosmetic pen takes the rasterizer's fast path for thin lines.
        QPen pen(style.movingAverage[k], penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        pen.setCosmetic(true);
        painter.setPen(pen);
        DrawPolylineInRuns(painter, line);
    }
}

} // namespace quorex::chart
