#include "chart/FlagMark.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace mosgrid {

namespace {

constexpr std::array<QRgb, kFlagColorCount + 1> kFlagRgbs = {
    0x00000000,  // none
    0xffe62828,  // red
    0xfff58c14,  // orange
    0xfff0d21e,  // yellow
    0xff28aa46,  // green
    0xff286ee6,  // blue
    0xff9646c8,  // purple
};
constexpr int kSmallestShare = 4;  // the mark takes at most a quarter of the cell

} // namespace

QRgb FlagRgb(FlagColor color)
{
    return kFlagRgbs.at(static_cast<std::size_t>(color));
}

QPolygon FlagMarkShape(const QRect& cell)
{
    const int side = std::max(
        1, std::min(kFlagMarkSize, std::min(cell.width(), cell.height()) / kSmallestShare));
    const int right = cell.left() + cell.width();
    const int bottom = cell.top() + cell.height();
    return QPolygon({QPoint(right, bottom - side), QPoint(right, bottom),
                     QPoint(right - side, bottom)});
}

void PaintFlagMark(QPainter& painter, const QRect& cell, FlagColor color)
{
    if (color == FlagColor::None || cell.isEmpty())
        return;
    const QPolygon shape = FlagMarkShape(cell);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(FlagRgb(color)));
    painter.drawPolygon(shape);
    painter.setPen(QPen(QColor(kFlagMarkEdge), 1));
    painter.drawLine(shape.point(0) - QPoint(1, 0), shape.point(2) - QPoint(0, 1));
    painter.restore();
}

} // namespace mosgrid
