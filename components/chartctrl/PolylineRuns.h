#pragma once

#include <QPolygonF>

class QPainter;

namespace quorex::chart {

// Points per run of a long line.
inline constexpr int kPolylineRun = 16;

// A polyline drawn as runs of kPolylineRun points sharing their end points: the same
// picture with round caps and joins, but a wide antialiased pen strokes each run as a small
// path instead of one path crossing itself thousands of times, which the rasterizer fills
// far more slowly.
void DrawPolylineInRuns(QPainter& painter, const QPolygonF& line);

} // namespace quorex::chart
