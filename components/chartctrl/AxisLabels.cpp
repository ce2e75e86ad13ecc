#include "AxisLabels.h"

#include <QFontMetrics>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <optional>

namespace quorex::chart {

namespace {

constexpr int kMaxDecimals = 6;
constexpr int kMinPriceLabels = 2;
// How much finer than the pane's spacing a step may get to give a second label.
constexpr int kMaxExtraTicks = 12;

struct Unit {
    double size;
    char suffix;
};
constexpr std::array<Unit, 4> kUnits{{{1e12, 'T'}, {1e9, 'B'}, {1e6, 'M'}, {1e3, 'K'}}};

using Format = std::function<QString(double)>;

double LargestMagnitude(const AxisTicks& ticks)
{
    return std::max(std::abs(ticks.Value(0)), std::abs(ticks.Value(ticks.count - 1)));
}

QString Trimmed(double value, int decimals)
{
    if (value == 0)
        value = 0;   // no "-0"
    return QString::number(value, 'f', decimals);
}

std::optional<Format> UnitFormat(const AxisTicks& ticks)
{
    const double largest = LargestMagnitude(ticks);
    for (const Unit& unit : kUnits) {
        if (largest >= unit.size) {
            const int decimals = StepDecimals(ticks.step / unit.size);
            return [unit, decimals](double v) {
                return Trimmed(v / unit.size, decimals) + QLatin1Char(unit.suffix);
            };
        }
    }
    return std::nullopt;
}

Format PowerFormat(const AxisTicks& ticks)
{
    const double largest = LargestMagnitude(ticks);
    const int exponent = largest > 0 ? static_cast<int>(std::floor(std::log10(largest))) : 0;
    const double scale = std::pow(10.0, exponent);
    const int decimals = scale > 0 ? StepDecimals(ticks.step / scale) : 0;
    return [exponent, scale, decimals](double v) {
        if (v == 0 || !(scale > 0))
            return QStringLiteral("0");
        return Trimmed(v / scale, decimals) + QLatin1Char('e') + QString::number(exponent);
    };
}

std::vector<Format> FormatsFor(const AxisTicks& ticks, bool price)
{
    std::vector<Format> formats;
    if (price) {
        const int decimals = ticks.decimals;
        formats.push_back([decimals](double v) { return FormatPrice(v, decimals); });
        formats.push_back([decimals](double v) { return Trimmed(v, decimals); });
    } else {
        formats.push_back([](double v) { return FormatVolume(v); });
    }
    if (auto unit = UnitFormat(ticks))
        formats.push_back(std::move(*unit));
    formats.push_back(PowerFormat(ticks));
    return formats;
}

QStringList LabelsThatFit(const AxisTicks& ticks, bool price, const QFontMetrics& metrics,
                          int width)
{
    if (ticks.count <= 0)
        return {};
    for (const Format& format : FormatsFor(ticks, price)) {
        QStringList labels;
        for (int k = 0; k < ticks.count; ++k) {
            labels.append(format(ticks.Value(k)));
            if (metrics.horizontalAdvance(labels.back()) > width)
                break;
        }
        if (labels.size() == ticks.count
            && metrics.horizontalAdvance(labels.back()) <= width)
            return labels;
    }
    return {};
}

AxisTicks TicksFor(const AxisLabelRequest& request, int count)
{
    AxisTicks ticks = NiceTicks(request.lo, request.hi, count);
    if (!request.price && ticks.count > 0 && ticks.first <= 0) {
        // No label at the zero line.
        ticks.first += ticks.step;
        --ticks.count;
    }
    return ticks;
}

} // namespace

int StepDecimals(double step)
{
    if (!(step > 0) || !std::isfinite(step))
        return 0;
    for (int decimals = 0; decimals < kMaxDecimals; ++decimals) {
        const double scaled = step * std::pow(10.0, decimals);
        if (std::abs(scaled - std::round(scaled)) <= scaled * 1e-9)
            return decimals;
    }
    return kMaxDecimals;
}

AxisLabels FitAxisLabels(const AxisLabelRequest& request, const QFontMetrics& metrics)
{
    // The pane's own spacing first; finer steps only to reach two price labels.
    std::vector<AxisTicks> candidates;
    const int wanted = std::max(request.maxTicks, 1);
    candidates.push_back(TicksFor(request, wanted));
    if (request.price && candidates.front().count < kMinPriceLabels) {
        for (int count = wanted + 1; count <= wanted + kMaxExtraTicks; ++count) {
            const AxisTicks finer = TicksFor(request, count);
            if (!(finer.step >= request.minStep))
                break;
            if (finer.count >= kMinPriceLabels) {
                candidates.insert(candidates.begin(), finer);
                break;
            }
        }
    }
    // Coarser steps need fewer digits.
    for (int count = wanted - 1; count >= 1; --count)
        candidates.push_back(TicksFor(request, count));

    for (const AxisTicks& ticks : candidates) {
        QStringList labels = LabelsThatFit(ticks, request.price, metrics, request.width);
        if (!labels.isEmpty())
            return {ticks, labels};
    }
    return {candidates.front(), {}};
}

} // namespace quorex::chart
