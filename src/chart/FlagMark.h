#pragma once

#include "settings/FlagColor.h"

#include <QPolygon>
#include <QRect>
#include <QRgb>

class QPainter;

namespace mosgrid {

// The mark of a flagged security: a small triangle of the flag's colour in the cell's
// bottom-right corner (the label and the date badge keep the top), with a dark edge so it
// shows on any chart.

inline constexpr int kFlagMarkSize = 14;
inline constexpr QRgb kFlagMarkEdge = 0xff000000;

QRgb FlagRgb(FlagColor color);

// The triangle's corners in cell: kFlagMarkSize on a side, at most a quarter of the cell's
// smaller side and at least 1.
QPolygon FlagMarkShape(const QRect& cell);

// Paints the mark over the cell; nothing for FlagColor::None.
void PaintFlagMark(QPainter& painter, const QRect& cell, FlagColor color);

} // namespace mosgrid
