#include "AxisTicks.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace quorex::chart {

namespace {

constexpr int kMaxDecimals = 6;
constexpr int kMaxTicks = 1000;
constexpr int kMaxWrittenDecimals = 4;

// Whether value has no digits beyond `decimals` (parsed decimal text is within an ulp or two
// of the scaled integer).
bool WrittenWith(double value, int decimals)
{
    if (!std::isfinite(value))
        return true;
    const double scaled = value * std::pow(10.0, decimals);
    if (std::fabs(scaled) > 1e15)
        return true;  // beyond what a double tells apart
    return std::fabs(scaled - std::round(scaled)) <= 1e-6 * std::max(1.0, std::fabs(scaled));
}

} // namespace

AxisTicks NiceTicks(double lo, double hi, int maxTicks)
{
    AxisTicks ticks;
    if (maxTicks < 1 || !std::isfinite(lo) || !std::isfinite(hi) || !(hi > lo))
        return ticks;
    maxTicks = std::min(maxTicks, kMaxTicks);
    // A span that overflows, or one so small that its steps would be denormal, has no round
    // steps: log10 would give an infinity that no int can hold.
    const double raw = (hi - lo) / maxTicks;
    if (!std::isfinite(raw) || !(raw >= std::numeric_limits<double>::min()))
        return ticks;
    const int exponent = static_cast<int>(std::floor(std::log10(raw)));
    const double magnitude = std::pow(10.0, exponent);
    // 2.5 keeps labels apart where 2 would crowd them and 5 would leave one or two.
    struct Factor {
        double value;
        int extraDecimals;
    };
    constexpr std::array<Factor, 5> kFactors{{{1, 0}, {2, 0}, {2.5, 1}, {5, 0}, {10, -1}}};
    Factor chosen = kFactors.back();
    for (const Factor& factor : kFactors) {
        if (factor.value * magnitude >= raw * (1 - 1e-9)) {
            chosen = factor;
            break;
        }
    }
    const double step = chosen.value * magnitude;
    if (!(step > 0) || !std::isfinite(step))
        return ticks;
    const double first = std::ceil(lo / step - 1e-9) * step;
    const double span = std::floor((hi - first) / step + 1e-9) + 1;
    if (!std::isfinite(first) || !std::isfinite(span))
        return ticks;
    ticks.step = step;
    ticks.first = first;
    // Clamped as a double, so the conversion stays defined for any span.
    ticks.count = static_cast<int>(std::clamp(span, 0.0, double(maxTicks + 1)));
    ticks.decimals = std::clamp(chosen.extraDecimals - exponent, 0, kMaxDecimals);
    return ticks;
}

QString FormatPrice(double value, int decimals)
{
    // The C locale groups thousands with ',' once the omission flag is cleared.
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    if (value == 0)
        value = 0;   // no "-0"
    return locale.toString(value, 'f', std::clamp(decimals, 0, kMaxDecimals));
}

int PriceDecimals(double lo, double hi)
{
    const auto whole = [](double v) { return std::abs(v - std::round(v)) < 1e-9; };
    if (whole(lo) && whole(hi))
        return 0;
    const double range = hi - lo;
    if (!(range > 0) || !std::isfinite(range))
        return 2;
    const double digits = 2 - std::floor(std::log10(range));
    return static_cast<int>(std::clamp(digits, 2.0, double(kMaxDecimals)));
}

int WrittenDecimals(std::span<const PriceBar> bars)
{
    for (int decimals = 0; decimals < kMaxWrittenDecimals; ++decimals) {
        const bool enough = std::all_of(bars.begin(), bars.end(), [decimals](const PriceBar& b) {
            return WrittenWith(b.open, decimals) && WrittenWith(b.high, decimals)
                && WrittenWith(b.low, decimals) && WrittenWith(b.close, decimals);
        });
        if (enough)
            return decimals;
    }
    return kMaxWrittenDecimals;
}

QString FormatVolume(double value)
{
    struct Unit {
        double size;
        char suffix;
    };
    static constexpr std::array<Unit, 3> kUnits{{{1e9, 'B'}, {1e6, 'M'}, {1e3, 'K'}}};
    for (const Unit& unit : kUnits) {
        if (std::abs(value) >= unit.size) {
            QString text = QString::number(value / unit.size, 'f', 2);
            // "1.50" -> "1.5", "3.00" -> "3"
            while (text.endsWith('0'))
                text.chop(1);
            if (text.endsWith('.'))
                text.chop(1);
            return text + QLatin1Char(unit.suffix);
        }
    }
    return QString::number(value, 'f', 0);
}

} // namespace quorex::chart
