#include "ThinLineRaster.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace quorex::chart {

namespace {

// How far a capped end reaches past its point, along the segment's major axis.
constexpr double kCap = 0.5;
constexpr int kFull = 255;
constexpr int kFractionBits = 16;
constexpr double kOne = 1 << kFractionBits;
// Segments further off than this (in pixels) are not drawn; it keeps fixed point exact.
constexpr double kFarOff = 1.0e7;

// The largest whole number not above `value`, for |value| < kFarOff, without a call.
int Floor(double value)
{
    const int truncated = static_cast<int>(value);
    return truncated - (value < truncated ? 1 : 0);
}

// Each byte of `pixel` times alpha / 255, rounded.
QRgb ByteMul(QRgb pixel, int alpha)
{
    quint32 redBlue = (pixel & 0xff00ff) * quint32(alpha);
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    quint32 alphaGreen = ((pixel >> 8) & 0xff00ff) * quint32(alpha);
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return redBlue | alphaGreen;
}

using Sources = std::array<QRgb, kFull + 1>;

// A premultiplied colour times each coverage. Kept per thread for the last few colours:
// the thumbnails of a catalog draw the same few colours over and over.
const Sources& SourcesOf(QRgb color)
{
    constexpr std::size_t kKeptColors = 16;
    struct Kept {
        QRgb color = 0;
        bool filled = false;
        Sources sources;
    };
    thread_local std::array<Kept, kKeptColors> kept;
    thread_local std::size_t next = 0;
    for (const Kept& entry : kept) {
        if (entry.filled && entry.color == color)
            return entry.sources;
    }
    Kept& entry = kept[next];
    next = (next + 1) % kKeptColors;
    entry.color = color;
    entry.filled = true;
    for (int coverage = 0; coverage <= kFull; ++coverage)
        entry.sources[std::size_t(coverage)] = ByteMul(color, coverage);
    return entry.sources;
}

} // namespace

inline void ThinLineRaster::Blend(QRgb* pixel, int coverage) const
{
    if (coverage <= 0)
        return;
    const QRgb source = (*m_sources)[std::size_t(coverage)];
    const QRgb blended = source + ByteMul(*pixel, kFull - qAlpha(source));
    *pixel = m_opaqueImage ? blended | 0xff000000 : blended;
}

ThinLineRaster::ThinLineRaster(QImage& image, const QColor& color)
    : m_bits(image.bits()),
      m_stride(image.bytesPerLine()),
      m_width(image.width()),
      m_height(image.height()),
      m_sources(&SourcesOf(qPremultiply(color.rgba()))),
      m_opaqueImage(image.format() == QImage::Format_RGB32)
{
}

QImage* ThinLineRaster::TargetOf(QPainter& painter)
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
    const bool plain = painter.deviceTransform().isIdentity() && !painter.hasClipping()
        && painter.opacity() == 1.0
        && painter.compositionMode() == QPainter::CompositionMode_SourceOver
        && painter.testRenderHint(QPainter::Antialiasing) && image->isDetached();
    return plain ? image : nullptr;
}

void ThinLineRaster::DrawPolyline(std::span<const QPointF> points)
{
    if (points.size() < 2)
        return;
    const std::size_t last = points.size() - 2;
    for (std::size_t i = 0; i <= last; ++i) {
        if (!CentredSegment<false>(points[i], points[i + 1], i == 0, i == last, nullptr))
            Segment<false>(points[i], points[i + 1], i == 0, i == last, nullptr);
    }
}

template <bool Dashed>
bool ThinLineRaster::CentredSegment(QPointF from, QPointF to, bool capFrom, bool capTo,
                                    const Dash* dash)
{
    const double left = from.x() - 0.5;
    const double right = to.x() - 0.5;
    const double y0 = from.y();
    const double y1 = to.y();
    // Also false for NaN.
    if (!(left >= 0 && right < m_width && left < right && std::abs(y0) < kFarOff
          && std::abs(y1) < kFarOff))
        return false;
    const int first = static_cast<int>(left);
    const int last = static_cast<int>(right);
    if (first != left || last != right || std::abs(y1 - y0) > right - left)
        return false;
    // As Segment works it out for such a segment: samples at the columns, the first half a
    // column before the first point, and half-covered end columns unless capped.
    const double slope = (y1 - y0) / (right - left);
    constexpr double kBias = 4 * kFarOff * kOne;
    qint64 v = static_cast<qint64>((y0 + (-0.5) * slope - 0.5) * kOne + kBias + 0.5)
        - static_cast<qint64>(kBias);
    const qint64 step = static_cast<qint64>(slope * kOne + kOne + 0.5) - qint64(kOne);
    const qint64 lastAt = v + step * (last - first);
    if (std::min(v, lastAt) < 0 || (std::max(v, lastAt) >> kFractionBits) + 1 >= m_height)
        return false;
    constexpr int kHalf = (kFull + 1) / 2;   // half a pixel's coverage, rounded as Segment does
    // Dashes as Segment counts them: the pattern at the first column is where the segment
    // starts, which is that column's centre.
    double dashPhase = 0;
    if constexpr (Dashed) {
        dashPhase = dash->travelled;
        if (!(dashPhase >= 0 && dashPhase < dash->period))
            return false;
    }
    const auto pair = [this, dash, &dashPhase](uchar* column, qint64 at, int coverage) {
        if constexpr (Dashed) {
            const bool between = dashPhase >= dash->on;
            dashPhase += 1;
            if (dashPhase >= dash->period)
                dashPhase -= dash->period;
            if (between)
                return;
        }
        const int fraction = static_cast<int>((at >> (kFractionBits - 8)) & kFull);
        const int next = coverage == kFull ? fraction : (fraction * coverage + 127) / kFull;
        uchar* pixel = column + (at >> kFractionBits) * m_stride;
        Blend(reinterpret_cast<QRgb*>(pixel), coverage - next);
        Blend(reinterpret_cast<QRgb*>(pixel + m_stride), next);
    };
    uchar* column = m_bits + first * qsizetype(sizeof(QRgb));
    pair(column, v, capFrom ? kFull : kHalf);
    for (int u = first + 1; u < last; ++u) {
        v += step;
        column += sizeof(QRgb);
        pair(column, v, kFull);
    }
    pair(column + sizeof(QRgb), v + step, capTo ? kFull : kHalf);
    return true;
}

void ThinLineRaster::DrawDashedPolyline(std::span<const QPointF> points, double on, double off)
{
    if (points.size() < 2 || !(on > 0) || !(off >= 0) || !std::isfinite(on + off))
        return;
    Dash dash{on, on + off, 0};
    const std::size_t last = points.size() - 2;
    for (std::size_t i = 0; i <= last; ++i) {
        if (!CentredSegment<true>(points[i], points[i + 1], i == 0, i == last, &dash))
            Segment<true>(points[i], points[i + 1], i == 0, i == last, &dash);
        const QPointF step = points[i + 1] - points[i];
        // Whole pixels along the major axis, as QPainter moves its pattern on.
        const double length = std::round(std::max(std::abs(step.x()), std::abs(step.y())));
        // A far-off or undefined point leaves the pattern where it was. A step shorter
        // than the pattern, as a chart's nearly always is, needs no fmod call: the one
        // subtraction is exact there.
        const double moved = dash.travelled + length;
        if (std::isfinite(length))
            dash.travelled = moved < dash.period       ? moved
                           : moved < 2 * dash.period ? moved - dash.period
                                                     : std::fmod(moved, dash.period);
    }
}

template <bool Dashed>
void ThinLineRaster::Segment(QPointF from, QPointF to, bool capFrom, bool capTo,
                             const Dash* dash)
{
    const bool steep = std::abs(to.y() - from.y()) > std::abs(to.x() - from.x());
    double u0 = steep ? from.y() : from.x();
    double v0 = steep ? from.x() : from.y();
    double u1 = steep ? to.y() : to.x();
    double v1 = steep ? to.x() : to.y();
    if (u1 < u0) {
        std::swap(u0, u1);
        std::swap(v0, v1);
        std::swap(capFrom, capTo);
    }
    // Also false for NaN.
    const auto near = [](double value) { return std::abs(value) < kFarOff; };
    if (!near(u0) || !near(u1) || !near(v0) || !near(v1))
        return;
    const int majorLimit = steep ? m_height : m_width;
    const int minorLimit = steep ? m_width : m_height;
    const double slope = u1 > u0 ? (v1 - v0) / (u1 - u0) : 0;
    // Cut at the image's edges first, as QPainter cuts: a cut end has no cap, and the
    // pixels are sampled from the cut on.
    if (u1 > u0) {
        if (u0 < 0) {
            v0 -= u0 * slope;
            u0 = 0;
            capFrom = false;
        }
        if (u1 > majorLimit) {
            u1 = majorLimit;
            capTo = false;
        }
        if (u1 <= u0)
            return;
    }
    const double start = u0 - (capFrom ? kCap : 0);
    const double end = u1 + (capTo ? kCap : 0);
    if (!(end > start))
        return;
    const int first = std::max(Floor(start), 0);
    const int last = std::min(-Floor(-end) - 1, majorLimit - 1);
    if (first > last)
        return;
    // QPainter samples a line at whole coordinates, the first pixel at floor(u0).
    const int phase = Floor(u0) - Floor(u0 - kCap);
    // The line's row (or column) in 16.16 fixed point, less half a pixel: its integer part
    // is the upper of the two pixels it shares its coverage between.
    // Rounded by truncating positive numbers: the bias keeps them positive.
    constexpr double kBias = 4 * kFarOff * kOne;
    qint64 v = static_cast<qint64>((v0 + (first + phase - u0) * slope - 0.5) * kOne + kBias
                                   + 0.5)
        - static_cast<qint64>(kBias);
    const qint64 step = static_cast<qint64>(slope * kOne + kOne + 0.5) - qint64(kOne);
    // From one pixel to the next along the major axis, and to its neighbour across it.
    const qsizetype along = steep ? m_stride : qsizetype(sizeof(QRgb));
    const qsizetype across = steep ? qsizetype(sizeof(QRgb)) : m_stride;
    uchar* major = m_bits + first * along;
    // Where pixel `first` is in the dash pattern; each pixel moves it on by one. Dashes
    // count whole pixels along the major axis from the one the segment starts in, as
    // QPainter counts a cosmetic pen's: a cap pixel before it falls between dashes.
    double dashPhase = 0;
    double dashDirection = 1;
    if constexpr (Dashed) {
        const double uFrom = steep ? from.y() : from.x();
        const double uTo = steep ? to.y() : to.x();
        dashDirection = uTo >= uFrom ? 1 : -1;
        dashPhase = std::fmod(dash->travelled + dashDirection * (first - std::floor(uFrom)),
                              dash->period);
        if (dashPhase < 0)
            dashPhase += dash->period;
    }
    for (int u = first; u <= last; ++u, v += step, major += along) {
        if constexpr (Dashed) {
            const bool between = dashPhase >= dash->on;
            dashPhase += dashDirection;
            if (dashPhase >= dash->period)
                dashPhase -= dash->period;
            else if (dashPhase < 0)
                dashPhase += dash->period;
            if (between)
                continue;
        }
        const qint64 row = v >> kFractionBits;
        if (row < -1 || row >= minorLimit)
            continue;
        int coverage = kFull;
        if (u == first || u == last) {
            const double covered = std::min(u + 1.0, end) - std::max(double(u), start);
            coverage = static_cast<int>(covered * kFull + 0.5);
        }
        const int fraction = static_cast<int>((v >> (kFractionBits - 8)) & kFull);
        const int next = coverage == kFull ? fraction : (fraction * coverage + 127) / kFull;
        if (row < 0) {
            // Only the lower of the two pixels is inside.
            Blend(reinterpret_cast<QRgb*>(major), next);
            continue;
        }
        uchar* pixel = major + row * across;
        Blend(reinterpret_cast<QRgb*>(pixel), coverage - next);
        if (row + 1 < minorLimit)
            Blend(reinterpret_cast<QRgb*>(pixel + across), next);
    }
}

} // namespace quorex::chart
