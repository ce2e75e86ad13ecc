#include "view/ReadoutBox.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRect>

#include <algorithm>

namespace mosgrid {

namespace {

constexpr QRgb kReadoutBack = 0xe0202020;
constexpr QRgb kReadoutText = 0xffffffff;
constexpr int kReadoutPadding = 4;
constexpr int kReadoutOffset = 14;

} // namespace

void PaintReadoutBox(QPainter& painter, QSize area, QPoint at, const QStringList& lines)
{
    const QFontMetrics metrics = painter.fontMetrics();
    int textWidth = 0;
    for (const QString& line : lines)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    const QSize box(textWidth + 2 * kReadoutPadding,
                    int(lines.size()) * metrics.height() + 2 * kReadoutPadding);
    QPoint corner(at.x() + kReadoutOffset, at.y() + kReadoutOffset);
    if (corner.x() + box.width() > area.width())
        corner.setX(at.x() - kReadoutOffset - box.width());
    if (corner.y() + box.height() > area.height())
        corner.setY(at.y() - kReadoutOffset - box.height());
    corner.setX(std::max(corner.x(), 0));
    corner.setY(std::max(corner.y(), 0));
    const QRect frame(corner, box);
    painter.fillRect(frame, QColor::fromRgba(kReadoutBack));
    painter.setPen(QColor::fromRgba(kReadoutText));
    int y = frame.top() + kReadoutPadding + metrics.ascent();
    for (const QString& line : lines) {
        painter.drawText(frame.left() + kReadoutPadding, y, line);
        y += metrics.height();
    }
}

} // namespace mosgrid
