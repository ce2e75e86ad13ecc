#include "RectFill.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>

namespace quorex::chart {

namespace {

// Rectangles this narrow are filled pixel by pixel.
constexpr int kNarrow = 8;

// The image a painter draws on when writing its pixels directly gives the same result.
QImage* DirectTarget(QPainter& painter, const QColor& color)
{
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = painter.device();
    if (!engine || engine->type() != QPaintEngine::Raster || !device
        || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    const bool plainFormat = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied;
    const QPainter::CompositionMode mode = painter.compositionMode();
    const bool plainState = painter.deviceTransform().isIdentity() && !painter.hasClipping()
        && painter.opacity() == 1.0
        && (mode == QPainter::CompositionMode_SourceOver
            || mode == QPainter::CompositionMode_Source);
    if (!plainFormat || !plainState || color.alpha() != 255)
        return nullptr;
    return image;
}

} // namespace

void FillRects(QPainter& painter, const QColor& color, std::span<const QRect> rects)
{
    if (rects.empty())
        return;
    if (QImage* image = DirectTarget(painter, color)) {
        // The raster engine draws straight into the image's buffer, so direct writes
        // between painter calls keep their order.
        const QRgb pixel = color.rgba();
        const QRect bounds = image->rect();
        uchar* bits = image->bits();
        const qsizetype stride = image->bytesPerLine();
        for (const QRect& rect : rects) {
            // Ordinary rectangles are cut inline: QRect's operator& is a call, a tenth of
            // a thumbnail's rectangles' time. Others take its rules for them.
            const QRect area = rect.left() <= rect.right() && rect.top() <= rect.bottom()
                ? QRect(QPoint(std::max(rect.left(), 0), std::max(rect.top(), 0)),
                        QPoint(std::min(rect.right(), bounds.right()),
                               std::min(rect.bottom(), bounds.bottom())))
                : rect & bounds;
            if (area.isEmpty())
                continue;
            const int width = area.width();
            uchar* row =
                bits + area.top() * stride + qsizetype(area.left()) * qsizetype(sizeof(QRgb));
            if (width <= kNarrow) {
                // Wicks, bodies, volume and histogram bars: a few pixels a row, where the
                // vectorised fill spent longer choosing its way than writing them.
                for (int y = area.top(); y <= area.bottom(); ++y, row += stride) {
                    auto* line = reinterpret_cast<QRgb*>(row);
#pragma GCC unroll 1
                    for (int x = 0; x < width; ++x)
                        line[x] = pixel;
                }
                continue;
            }
            for (int y = area.top(); y <= area.bottom(); ++y, row += stride) {
                auto* line = reinterpret_cast<QRgb*>(row);
                std::fill(line, line + width, pixel);
            }
        }
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRects(rects.data(), static_cast<int>(rects.size()));
    painter.restore();
}

} // namespace quorex::chart
