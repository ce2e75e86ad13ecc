#include "DenseLine.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace quorex::chart {

namespace {

QImage* PlainImage(QPainter& painter)
{
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* device = painter.device();
    if (!engine || engine->type() != QPaintEngine::Raster || !device
        || device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    const QPainter::CompositionMode mode = painter.compositionMode();
    if (!painter.deviceTransform().isIdentity() || painter.hasClipping()
        || painter.opacity() != 1.0 || mode != QPainter::CompositionMode_SourceOver)
        return nullptr;
    return image;
}

bool IsDense(const QPolygonF& line)
{
    if (line.size() < 3)
        return false;
    for (qsizetype i = 1; i < line.size(); ++i) {
        if (!(line[i].x() >= line[i - 1].x()) || !std::isfinite(line[i].y()))
            return false;
    }
    const double columns = std::floor(line.back().x()) - std::floor(line.front().x()) + 1;
    return std::isfinite(line.front().y()) && double(line.size()) > columns;
}

// Samples across a pixel column: the pen's cover is averaged over them.
constexpr int kSamples = 4;

struct Span {
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();

    void Include(double from, double to)
    {
        lo = std::min(lo, from);
        hi = std::max(hi, to);
    }
};

// Where the vertical x = `x` meets the pen of radius `r` drawn along p-q: its round ends
// and the band between them.
void IncludeSegment(Span& span, QPointF p, QPointF q, double x, double r)
{
    for (const QPointF end : {p, q}) {
        const double d = std::abs(x - end.x());
        if (d <= r) {
            const double h = std::sqrt(r * r - d * d);
            span.Include(end.y() - h, end.y() + h);
        }
    }
    const double dx = q.x() - p.x(), dy = q.y() - p.y();
    if (dx == 0) {
        if (std::abs(x - p.x()) <= r)
            span.Include(std::min(p.y(), q.y()), std::max(p.y(), q.y()));
        return;
    }
    const double length2 = dx * dx + dy * dy;
    const double centre = p.y() + dy * (x - p.x()) / dx;
    const double reach = r * std::sqrt(length2) / std::abs(dx);
    double lo = centre - reach, hi = centre + reach;
    // Only where the point lies beside the segment, not beyond its ends.
    const double along = (x - p.x()) * dx;
    if (dy == 0) {
        if (along < 0 || along > length2)
            return;
    } else {
        const double a = p.y() - along / dy, b = p.y() + (length2 - along) / dy;
        lo = std::max(lo, std::min(a, b));
        hi = std::min(hi, std::max(a, b));
    }
    if (lo <= hi)
        span.Include(lo, hi);
}

// How much of row `y` the span covers, 0 to 1.
double Cover(const Span& span, int y)
{
    return std::clamp(std::min(span.hi, y + 1.0) - std::max(span.lo, double(y)), 0.0, 1.0);
}

} // namespace

bool DrawDenseLine(QPainter& painter, const QPolygonF& line)
{
    const QPen pen = painter.pen();
    if (pen.style() != Qt::SolidLine || pen.brush().style() != Qt::SolidPattern
        || pen.color().alpha() != 255 || !painter.testRenderHint(QPainter::Antialiasing)
        || !IsDense(line))
        return false;
    QImage* image = PlainImage(painter);
    if (image == nullptr)
        return false;
    const double r = std::max(1.0, pen.widthF()) / 2;
    const QRgb colour = pen.color().rgba();
    const int width = image->width(), height = image->height();
    uchar* bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    const int firstColumn = std::max(0, int(std::floor(line.front().x() - r)));
    const int lastColumn = std::min(width - 1, int(std::floor(line.back().x() + r)));
    qsizetype next = 1;  // the first segment that may reach the sample
    for (int x = firstColumn; x <= lastColumn; ++x) {
        std::array<Span, kSamples> spans;
        Span column;
        for (int s = 0; s < kSamples; ++s) {
            const double at = x + (s + 0.5) / kSamples;
            while (next + 1 < line.size() && line[next].x() < at - r)
                ++next;
            for (qsizetype i = next; i < line.size() && line[i - 1].x() <= at + r; ++i)
                IncludeSegment(spans[std::size_t(s)], line[i - 1], line[i], at, r);
            column.Include(spans[std::size_t(s)].lo, spans[std::size_t(s)].hi);
        }
        if (!(column.lo <= column.hi))
            continue;
        const int firstRow = std::max(0, int(std::floor(column.lo)));
        const int lastRow = std::min(height - 1, int(std::ceil(column.hi)));
        for (int y = firstRow; y <= lastRow; ++y) {
            double cover = 0;
            for (const Span& span : spans)
                cover += Cover(span, y);
            cover /= kSamples;
            const int alpha = int(std::lround(cover * 255));
            if (alpha == 0)
                continue;
            QRgb& pixel = reinterpret_cast<QRgb*>(bits + y * stride)[x];
            const auto mix = [&](int from, int to) { return from + (to - from) * alpha / 255; };
            pixel = qRgb(mix(qRed(pixel), qRed(colour)), mix(qGreen(pixel), qGreen(colour)),
                         mix(qBlue(pixel), qBlue(colour)));
        }
    }
    return true;
}

} // namespace quorex::chart
