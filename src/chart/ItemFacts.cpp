#include "chart/ItemFacts.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace mosgrid {

namespace {

// The newest bars are enough to tell a file's decimals; older ones may come from another
// source with other rules.
constexpr std::size_t kDecimalsSample = 20;

constexpr double kPowersOfTen[] = {1, 10, 100, 1000, 10000};
static_assert(std::size(kPowersOfTen) == ItemFacts::kMaxDecimals + 1);

bool HasDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        return true;
    const double scaled = value * kPowersOfTen[decimals];
    if (std::fabs(scaled) > 1e15)
        return true;  // beyond what a double tells apart: nothing to add
    // Parsed decimal text is within an ulp or two of the scaled integer.
    return std::fabs(scaled - std::round(scaled)) <= 1e-6 * std::max(1.0, std::fabs(scaled));
}

} // namespace

int PriceDecimalsOf(std::span<const quorex::PriceBar> bars)
{
    const std::size_t sample = std::min(bars.size(), kDecimalsSample);
    const auto newest = bars.subspan(bars.size() - sample);
    for (int decimals = 0; decimals < ItemFacts::kMaxDecimals; ++decimals) {
        const bool enough = std::all_of(newest.begin(), newest.end(),
            [decimals](const quorex::PriceBar& bar) {
                return HasDecimals(bar.open, decimals) && HasDecimals(bar.high, decimals)
                    && HasDecimals(bar.low, decimals) && HasDecimals(bar.close, decimals);
            });
        if (enough)
            return decimals;
    }
    return ItemFacts::kMaxDecimals;
}

ItemFacts FactsOf(std::span<const quorex::PriceBar> bars)
{
    ItemFacts facts;
    if (bars.empty())
        return facts;
    const quorex::PriceBar& last = bars.back();
    facts.hasData = true;
    facts.lastDate = last.date;
    facts.lastOpen = last.open;
    facts.lastHigh = last.high;
    facts.lastLow = last.low;
    facts.lastClose = last.close;
    facts.lastVolume = last.volume;
    facts.previousClose = bars.size() > 1 ? bars[bars.size() - 2].close
                                          : std::numeric_limits<double>::quiet_NaN();
    facts.decimals = PriceDecimalsOf(bars);
    return facts;
}

} // namespace mosgrid
