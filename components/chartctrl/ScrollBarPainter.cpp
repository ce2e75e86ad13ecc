#include "ScrollBarPainter.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>

namespace quorex::chart {

namespace {

void DrawArrow(QPainter& painter, const QRectF& button, bool pointsLeft)
{
    const double size = button.height() * 0.35;
    const QPointF centre = button.center();
    const double tipDx = pointsLeft ? -size / 2 : size / 2;
    const QPointF points[3] = {
        {centre.x() + tipDx, centre.y()},
        {centre.x() - tipDx, centre.y() - size},
        {centre.x() - tipDx, centre.y() + size},
    };
    painter.drawPolygon(points, 3);
}

} // namespace

void DrawScrollBar(QPainter& painter, const ChartStyle& style, const QRect& bar, int total,
                   int first, int count)
{
    if (bar.width() <= 0 || bar.height() <= 0)
        return;
    painter.fillRect(bar, style.scrollTrough);
    painter.fillRect(bar.left(), bar.top(), bar.width(), 1, style.scrollButton);

    const int button = bar.width() >= 3 * bar.height() ? bar.height() : 0;
    const QRect left(bar.left(), bar.top(), button, bar.height());
    const QRect right(bar.right() - button + 1, bar.top(), button, bar.height());
    const int trackLeft = bar.left() + button;
    const int track = bar.width() - 2 * button;

    if (track > 0 && total > 0) {
        const int shown = std::clamp(count, 1, total);
        const int minThumb = std::max(3, bar.height() / 2);
        const int length = std::clamp(static_cast<int>(static_cast<long long>(track) * shown
                                                       / total), std::min(minThumb, track), track);
        const int hidden = total - shown;
        const int offset = hidden > 0
            ? static_cast<int>(static_cast<long long>(track - length)
                               * std::clamp(first, 0, hidden) / hidden)
            : 0;
        painter.fillRect(trackLeft + offset, bar.top() + 2, length, bar.height() - 3,
                         style.scrollMark);
    }
    if (button > 0) {
        painter.fillRect(left, style.scrollButton);
        painter.fillRect(right, style.scrollButton);
        painter.setPen(Qt::NoPen);
        painter.setBrush(style.scrollMark);
        DrawArrow(painter, QRectF(left), true);
        DrawArrow(painter, QRectF(right), false);
    }
}

} // namespace quorex::chart
