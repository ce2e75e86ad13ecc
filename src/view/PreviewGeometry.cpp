#include "view/PreviewGeometry.h"

#include <algorithm>
#include <cmath>

namespace mosgrid {

namespace PreviewGeometry {

QSize PreviewSize(QSize thumbnail, QSize screen)
{
    if (thumbnail.isEmpty())
        return {};
    const double width = double(thumbnail.width()) * kScale;
    const double height = double(thumbnail.height()) * kScale;
    const double limit = std::min({1.0, screen.width() * kMaxScreenShare / width,
                                   screen.height() * kMaxScreenShare / height});
    if (limit <= 0)
        return {};
    return QSize(std::max(1, int(std::lround(width * limit))),
                 std::max(1, int(std::lround(height * limit))));
}

QRect PopupRect(const QRect& cell, QSize popup, const QRect& screen)
{
    QRect rect(QPoint(cell.right() + 1, cell.top()), popup);
    if (rect.right() > screen.right()) {
        const QRect left(QPoint(cell.left() - popup.width(), cell.top()), popup);
        rect = left.left() >= screen.left() ? left : QRect(cell.topLeft(), popup);
    }
    // Wholly on the screen where it can be; the top-left corner wins otherwise.
    rect.moveLeft(std::max(std::min(rect.left(), screen.right() + 1 - rect.width()),
                           screen.left()));
    rect.moveTop(std::max(std::min(rect.top(), screen.bottom() + 1 - rect.height()),
                          screen.top()));
    return rect;
}

} // namespace PreviewGeometry

} // namespace mosgrid
