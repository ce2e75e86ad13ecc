#include "PolylineRuns.h"

#include "DenseLine.h"

#include <QPainter>

#include <algorithm>

namespace quorex::chart {

void DrawPolylineInRuns(QPainter& painter, const QPolygonF& line)
{
    if (DrawDenseLine(painter, line))
        return;
    const qsizetype count = line.size();
    if (count <= kPolylineRun) {
        painter.drawPolyline(line);
        return;
    }
    for (qsizetype first = 0; first + 1 < count; first += kPolylineRun - 1) {
        const qsizetype points = std::min<qsizetype>(kPolylineRun, count - first);
        painter.drawPolyline(line.constData() + first, int(points));
    }
}

} // namespace quorex::chart
