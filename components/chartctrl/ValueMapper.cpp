#include "ValueMapper.h"

#include <algorithm>
#include <cmath>

namespace quorex::chart {

namespace {

// A flat series is shown within +-1% of its value (or +-1 around zero).
constexpr double kFlatWidening = 0.01;
// Spans below this (denormal prices) would give an infinite scale: they count as flat.
constexpr double kMinSpan = 1.0e-290;

} // namespace

ValueMapper::ValueMapper(double lo, double hi, int top, int bottom, bool logarithmic)
    : m_lo(lo), m_hi(hi), m_top(top)
{
    if (!std::isfinite(m_lo) || !std::isfinite(m_hi)) {
        m_lo = 0;
        m_hi = 1;
    }
    if (m_hi < m_lo)
        std::swap(m_lo, m_hi);
    const double span = m_hi - m_lo;
    if (!(span > std::max(std::abs(m_hi), std::abs(m_lo)) * 1e-12) || !(span >= kMinSpan)) {
        const double centre = m_lo / 2 + m_hi / 2;
        const double widening = std::abs(centre) * kFlatWidening;
        const double half = widening >= kMinSpan ? widening : 1.0;
        m_lo = centre - half;
        m_hi = centre + half;
    }
    m_log = logarithmic && m_lo > 0;
    m_scale = (bottom - top) / (Scaled(m_hi) - Scaled(m_lo));
}

double ValueMapper::Scaled(double value) const
{
    return m_log ? std::log(value) : value;
}

double ValueMapper::LogPixel(double value) const
{
    if (!(value > 0))
        return kPixelLimit;
    const double pixel = m_top + (Scaled(m_hi) - Scaled(value)) * m_scale;
    if (!std::isfinite(pixel))
        return m_top;
    return std::clamp(pixel, -kPixelLimit, kPixelLimit);
}

double ValueMapper::ToValue(double pixel) const
{
    if (!(m_scale > 0) || !std::isfinite(pixel))
        return m_hi;
    const double scaled = Scaled(m_hi) - (pixel - m_top) / m_scale;
    return m_log ? std::exp(scaled) : scaled;
}

int ValueMapper::ToRow(double value) const
{
    return static_cast<int>(std::lround(ToPixel(value)));
}

} // namespace quorex::chart
