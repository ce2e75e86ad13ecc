#include "sheet/ColorSwatch.h"

#include <QPainter>
#include <QPixmap>

namespace mosgrid {

namespace {

constexpr QRgb kFrame = 0xff404040;

} // namespace

QIcon ColorSwatchIcon(ColorRef color, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(QColor(kFrame));
    QPainter painter(&pixmap);
    painter.fillRect(QRect(QPoint(0, 0), size).adjusted(1, 1, -1, -1),
                     QColor(ColorRefToRgb(color)));
    painter.end();
    return QIcon(pixmap);
}

} // namespace mosgrid
