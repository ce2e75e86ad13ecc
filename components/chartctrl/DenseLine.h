#pragma once

#include <QPolygonF>

class QPainter;

namespace quorex::chart {

// A line with more points than the pixel columns it crosses (a zoomed-out series) drawn
// column by column: each column gets the span its stretch of the line covers, widened by
// half the pen, with smooth ends. Stroking thousands of such points costs far more and
// shows the same. Draws and returns true only on a plain image painter, smoothing, with a
// solid opaque pen; false leaves the line to the caller.
bool DrawDenseLine(QPainter& painter, const QPolygonF& line);

} // namespace quorex::chart
