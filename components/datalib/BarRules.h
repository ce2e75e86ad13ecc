#pragma once

#include "NumberParser.h"

#include <QuorexComponents.h>

#include <cmath>
#include <cstdint>

namespace brasko {

// The values of one row as read, before the rules below decide on it.
struct RowValues {
    std::int32_t date = 0; // yyyymmdd, 0: unreadable
    FieldNumber open;
    FieldNumber high;
    FieldNumber low;
    FieldNumber close;
    FieldNumber volume;
};

// The bar a row makes into bar, or false for a bad row (bar is then undefined): no date, an
// unreadable value, no close, a negative price or volume, or a high below the low. Missing
// values are filled in: open from the close, high and low from open and close, volume as 0;
// so a close-only file gives bars with open = high = low = close.
bool MakeBar(const RowValues& row, quorex::PriceBar& bar);

// MakeBar, inline for a row with every value there, as nearly every row has.
inline bool MakeFullBar(const RowValues& row, quorex::PriceBar& bar)
{
    using State = FieldNumber::State;
    const bool full = row.open.state == State::Value && row.high.state == State::Value
                      && row.low.state == State::Value && row.close.state == State::Value
                      && row.volume.state == State::Value;
    if (!full || row.date == 0)
        return MakeBar(row, bar);
    for (const double value : {row.open.value, row.high.value, row.low.value, row.close.value,
                               row.volume.value}) {
        if (!std::isfinite(value) || value < 0)
            return false;
    }
    bar = {row.date, row.open.value, row.high.value, row.low.value, row.close.value,
           row.volume.value};
    return bar.high >= bar.low;
}

} // namespace brasko
