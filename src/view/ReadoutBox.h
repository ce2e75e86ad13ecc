#pragma once

#include <QPoint>
#include <QSize>
#include <QStringList>

class QPainter;

namespace mosgrid {

// The crosshair's read-out: the lines on a dark box beside the point, on the side with room
// inside `area`.
void PaintReadoutBox(QPainter& painter, QSize area, QPoint at, const QStringList& lines);

} // namespace mosgrid
