#pragma once

#include "QuorexComponents.h"

#include <cstdint>
#include <span>

namespace mosgrid {

// What one security's series says at its newest end, kept beside its thumbnail: enough to
// sort the grid, write a label and tell missing or stale data without reading it again.
struct ItemFacts {
    bool made = false;                  // a thumbnail of this build has been made for it
    bool hasData = false;
    quorex::DataProblem problem = quorex::DataProblem::None;
    bool unsettled = false;             // the price file was still being written
    std::int32_t lastDate = 0;          // yyyymmdd of the newest bar; 0 without data
    double lastOpen = 0;
    double lastHigh = 0;
    double lastLow = 0;
    double lastClose = 0;
    double previousClose = 0;           // the close before the newest; NaN with one bar
    double lastVolume = 0;
    int decimals = 0;                   // the prices' own decimals, at most kMaxDecimals

    static constexpr int kMaxDecimals = 4;
};

// The facts of a series (daily bars, ascending; empty: no data).
ItemFacts FactsOf(std::span<const quorex::PriceBar> bars);

// The fewest decimals (up to ItemFacts::kMaxDecimals) that write every price of the newest
// bars exactly, so a label shows no more digits than the file has.
int PriceDecimalsOf(std::span<const quorex::PriceBar> bars);

} // namespace mosgrid
