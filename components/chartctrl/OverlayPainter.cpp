#include "OverlayPainter.h"

#include "PolylineRuns.h"
#include "ThinLineRaster.h"

#include <QPainter>
#include <QPolygonF>

#include <cmath>

namespace quorex::chart {

void DrawMovingAverages(QPainter& painter, const ChartStyle& style,
                        const std::vector<std::vector<double>>& averages,
                        const SlotMapper& columns, const ValueMapper& values, double penWidth,
                        bool direct)
{
    QImage* target = direct && penWidth == 1 ? ThinLineRaster::TargetOf(painter) : nullptr;
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
