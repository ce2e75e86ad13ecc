#include "DenseLine.h"

#include "ThinLineRaster.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace quorex::chart {

namespace {

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

// The spans of the pen at kSamples evenly spaced verticals in each column from `first`.
class SampleSpans {
public:
    SampleSpans(int first, int columns)
        : m_first(first), m_spans(std::size_t(std::max(0, columns)) * kSamples)
    {
    }

    const Span& at(int column, int sample) const
    {
        return m_spans[std::size_t(column - m_first) * kSamples + std::size_t(sample)];
    }

    // The samples whose verticals lie within [from, to], as (index, x) for `include`.
    template <typename Include>
    void Within(double from, double to, Include include)
    {
        const int count = int(m_spans.size());
        int index = std::max(0, int(std::ceil((from - m_first) * kSamples - 0.5)));
        for (; index < count; ++index) {
            const double x = m_first + (index + 0.5) / kSamples;
            if (x > to)
                break;
            include(m_spans[std::size_t(index)], x);
        }
    }

private:
    int m_first;
    std::vector<Span> m_spans;
};

// The band the pen of radius `r` sweeps along p-q (p left of q), without its round ends.
void IncludeBand(SampleSpans& spans, QPointF p, QPointF q, double r)
{
    const double dx = q.x() - p.x(), dy = q.y() - p.y();
    const double length2 = dx * dx + dy * dy;
    const double reach = r * std::sqrt(length2) / dx;
    // A steep segment's band reaches beside it by up to r.
    spans.Within(p.x() - r, q.x() + r, [&](Span& span, double x) {
        const double centre = p.y() + dy * (x - p.x()) / dx;
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
    });
}

// The pen of radius `r` along the line. The points sharing a column lie on one vertical:
// together with their round ends they make one capsule from the lowest to the highest.
// Between columns the pen sweeps a band whose ends the capsules hold.
void IncludeLine(SampleSpans& spans, const QPolygonF& line, double r)
{
    std::optional<QPointF> previous;  // the last point of the column before
    for (qsizetype i = 0; i < line.size();) {
        const double x = line[i].x();
        double lo = line[i].y(), hi = lo;
        qsizetype next = i + 1;
        for (; next < line.size() && line[next].x() == x; ++next) {
            lo = std::min(lo, line[next].y());
            hi = std::max(hi, line[next].y());
        }
        spans.Within(x - r, x + r, [&](Span& span, double at) {
            const double d = at - x;
            const double h = std::sqrt(std::max(0.0, r * r - d * d));
            span.Include(lo - h, hi + h);
        });
        if (previous)
            IncludeBand(spans, *previous, line[i], r);
        previous = line[next - 1];
        i = next;
    }
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
    // The same plain image the thin-line raster writes into.
    QImage* image = ThinLineRaster::TargetOf(painter);
    if (image == nullptr)
        return false;
    const double r = std::max(1.0, pen.widthF()) / 2;
    const QRgb colour = pen.color().rgba();
    const int width = image->width(), height = image->height();
    uchar* bits = image->bits();
    const qsizetype stride = image->bytesPerLine();
    const int firstColumn = std::max(0, int(std::floor(line.front().x() - r)));
    const int lastColumn = std::min(width - 1, int(std::floor(line.back().x() + r)));
    if (firstColumn > lastColumn)
        return true;
    SampleSpans spans(firstColumn, lastColumn - firstColumn + 1);
    IncludeLine(spans, line, r);
    for (int x = firstColumn; x <= lastColumn; ++x) {
        Span column;
        for (int s = 0; s < kSamples; ++s)
            column.Include(spans.at(x, s).lo, spans.at(x, s).hi);
        if (!(column.lo <= column.hi))
            continue;
        const int firstRow = std::max(0, int(std::floor(column.lo)));
        const int lastRow = std::min(height - 1, int(std::ceil(column.hi)));
        for (int y = firstRow; y <= lastRow; ++y) {
            double cover = 0;
            for (int s = 0; s < kSamples; ++s)
                cover += Cover(spans.at(x, s), y);
            const int alpha = int(cover * (255.0 / kSamples) + 0.5);
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
