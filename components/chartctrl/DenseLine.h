#pragma once

#include <QPolygonF>

class QPainter;

namespace quorex::chart {

// A line with more points than the pixel columns it crosses (a zoomed-out series) drawn
// column by column: the pen's round ends and bands are cut at four verticals across each
// column, and each pixel gets the share of it they cover. Stroking thousands of such points
// costs far more and shows the same. Draws and returns true only on a plain image painter,
// smoothing, with a solid opaque pen; false leaves the line to the caller.
bool DrawDenseLine(QPainter& painter, const QPolygonF& line);

} // namespace quorex::chart
