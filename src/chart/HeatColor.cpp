#include "chart/HeatColor.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace mosgrid {

namespace {

constexpr double kPercent = 100.0;

int Channel(ColorRef color, int shift)
{
    return static_cast<int>((color >> shift) & 0xffu);
}

} // namespace

std::optional<double> ChangePercentOf(const ItemFacts& facts)
{
    if (!facts.hasData || !std::isfinite(facts.lastClose) || !std::isfinite(facts.previousClose)
        || facts.previousClose == 0)
        return std::nullopt;
    const double percent =
        (facts.lastClose - facts.previousClose) / std::fabs(facts.previousClose) * kPercent;
    return std::isfinite(percent) ? std::optional<double>(percent) : std::nullopt;
}

ColorRef HeatColor(double changePercent, ColorRef base)
{
    if (!std::isfinite(changePercent) || changePercent == 0)
        return base;
    const double weight = std::min(std::fabs(changePercent) / kHeatSaturationPercent, 1.0);
    const ColorRef toward = changePercent > 0 ? kHeatUpColor : kHeatDownColor;
    ColorRef blended = 0;
    for (const int shift : {0, 8, 16}) {
        const int from = Channel(base, shift);
        const int to = Channel(toward, shift);
        const int value = static_cast<int>(std::lround(from + (to - from) * weight));
        blended |= static_cast<ColorRef>(std::clamp(value, 0, 255)) << shift;
    }
    return blended;
}

std::optional<ColorRef> HeatColorOf(const ItemFacts& facts, ColorRef base)
{
    const std::optional<double> percent = ChangePercentOf(facts);
    if (!percent)
        return std::nullopt;
    return HeatColor(*percent, base);
}

void PaintHeatFrame(QPainter& painter, const QRect& rect, ColorRef color)
{
    if (rect.isEmpty())
        return;
    const QColor pen(ColorRefToRgb(color));
    const int width = std::min({kHeatFrameWidth, rect.width() / 2, rect.height() / 2});
    if (width <= 0)
        return;
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), width), pen);
    painter.fillRect(QRect(rect.left(), rect.bottom() - width + 1, rect.width(), width), pen);
    painter.fillRect(QRect(rect.left(), rect.top(), width, rect.height()), pen);
    painter.fillRect(QRect(rect.right() - width + 1, rect.top(), width, rect.height()), pen);
}

} // namespace mosgrid
