#pragma once

#include <QColor>
#include <QPointF>
#include <QRgb>

#include <array>
#include <span>

class QImage;
class QPainter;

namespace quorex::chart {

// Draws antialiased lines one pixel wide straight into an image, close to what QPainter
// draws with a cosmetic pen of width 1 (within a few levels per pixel along a line, more
// where two segments meet). QPainter spends microseconds per call on pen state and stroker
// setup, and a thumbnail's indicator lines are hundreds of short segments.
class ThinLineRaster {
public:
    // `image` is RGB32 or ARGB32_Premultiplied; see TargetOf.
    ThinLineRaster(QImage& image, const QColor& color);

    // The image a painter draws on, when this raster may draw there instead: a raster
    // engine on such an image, no transform, clip or opacity, source-over, antialiased.
    static QImage* TargetOf(QPainter& painter);

    // A polyline with square ends half a pixel long, as a round-capped cosmetic pen ends;
    // each pixel is blended once per segment that covers it.
    void DrawPolyline(std::span<const QPointF> points);

    // The same in dashes: `on` pixels drawn, then `off` pixels not, counted along each
    // segment's major axis and running on from one segment to the next.
    void DrawDashedPolyline(std::span<const QPointF> points, double on, double off);

private:
    // Where a dashed line is in its pattern, in pixels along the major axes.
    struct Dash {
        double on;
        double period;
        double travelled;   // from the polyline's start to this segment's start
    };

    // The segments charts draw most, left to right between two column centres and flatter
    // than 45 degrees, wholly inside the image: Segment's pixels with a fraction of its
    // work, dashed or not. False, drawing nothing, for any other segment.
    template <bool Dashed>
    bool CentredSegment(QPointF from, QPointF to, bool capFrom, bool capTo, const Dash* dash);

    // One segment; `u` is its major axis (x for flat segments, y for steep ones), and each
    // end reaches half a pixel further where `cap` says. `dash` leaves out the pixels
    // between dashes; the solid lines take no test per pixel for it.
    template <bool Dashed>
    void Segment(QPointF from, QPointF to, bool capFrom, bool capTo, const Dash* dash);
    // `coverage` of the colour over one pixel, 0 to 255.
    void Blend(QRgb* pixel, int coverage) const;

    uchar* m_bits;
    qsizetype m_stride;
    int m_width;
    int m_height;
    const std::array<QRgb, 256>* m_sources;   // the colour premultiplied, times each coverage
    bool m_opaqueImage;
};

} // namespace quorex::chart
