#pragma once

#include "FuzzSupport.h"

#include <QuorexComponents.h>

#include <cmath>

namespace fuzz {

// What the data library promises of every series it gives: not empty, one bar per day in
// ascending order, prices and volumes finite and not negative, no high below its low.
inline void CheckSeries(const quorex::PriceDataPtr& data)
{
    if (!data)
        return;
    const auto bars = data->Bars();
    Check(!bars.empty(), "a series is never empty");
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const quorex::PriceBar& bar = bars[i];
        Check(i == 0 || bars[i - 1].date < bar.date, "dates ascend, one bar a day");
        Check(bar.date > 0, "every bar has a date");
        for (const double value : {bar.open, bar.high, bar.low, bar.close, bar.volume})
            Check(std::isfinite(value) && value >= 0, "values are finite and not negative");
        Check(bar.low <= bar.high, "no high below its low");
    }
}

} // namespace fuzz
