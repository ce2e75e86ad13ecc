#pragma once

#include <cstddef>

namespace quorex::indicators {

// Bars before a bar that its value depends on. Exact for window indicators; for the
// recursive averages (EMA, Wilder's), enough bars that whatever came before them weighs
// less than kSeedWeight: a value computed from this many earlier bars agrees with the one
// computed from the whole series to about kSeedWeight of the price moves between them.
inline constexpr double kSeedWeight = 1e-6;

std::size_t SimpleAverageLookBack(int period);
std::size_t ExponentialAverageLookBack(int period);
std::size_t BollingerLookBack(int period);
// Of every line as drawn: the leading spans come from b - 1 bars before the bar they are
// drawn at; the lagging span needs no earlier bar.
std::size_t IchimokuLookBack(int a, int b, int c);
std::size_t RsiLookBack(int period);
std::size_t MacdLookBack(int fast, int slow, int signal);
std::size_t StochasticsLookBack(int kPeriod, int kSmoothing, int dPeriod);
std::size_t RciLookBack(int period);

// Bars after which a seed weighs less than kSeedWeight in a recursion of `alpha`.
std::size_t DecayBars(double alpha);

} // namespace quorex::indicators
