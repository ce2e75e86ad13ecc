#pragma once

#include <algorithm>
#include <cmath>

namespace quorex::chart {

// Maps values to pixel rows: `hi` lands on `top`, `lo` on `bottom`. A range without
// height (a flat series) is widened around its value, so nothing divides by zero. On a
// logarithmic scale (for positive ranges only) equal ratios take equal heights.
class ValueMapper {
public:
    ValueMapper(double lo, double hi, int top, int bottom, bool logarithmic = false);

    double lo() const { return m_lo; }
    double hi() const { return m_hi; }
    // Row of a value; non-finite and far-off values are held to a safe range.
    double ToPixel(double value) const
    {
        // Inline for the linear scale: charts map every point they draw.
        if (m_log)
            return LogPixel(value);
        const double pixel = m_top + (m_hi - value) * m_scale;
        if (!std::isfinite(pixel))
            return m_top;
        return std::clamp(pixel, -kPixelLimit, kPixelLimit);
    }
    int ToRow(double value) const;
    // The value at a pixel row: the inverse of ToPixel inside the mapped band.
    double ToValue(double pixel) const;
    bool logarithmic() const { return m_log; }

private:
    // Rows never leave this band, so conversions to int stay defined.
    static constexpr double kPixelLimit = 1.0e6;

    double LogPixel(double value) const;
    // Where a value lies on the scale: the value itself, or its logarithm.
    double Scaled(double value) const;

    double m_lo;
    double m_hi;
    double m_top;
    double m_scale;
    bool m_log = false;
};

} // namespace quorex::chart
