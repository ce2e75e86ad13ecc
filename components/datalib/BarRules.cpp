#include "BarRules.h"

#include <algorithm>
#include <cmath>

namespace brasko {

namespace {

using State = FieldNumber::State;

bool IsBad(const FieldNumber& n)
{
    return n.state == State::Bad || (n.state == State::Value && !std::isfinite(n.value));
}

bool Has(const FieldNumber& n)
{
    return n.state == State::Value;
}

} // namespace

bool MakeBar(const RowValues& row, quorex::PriceBar& bar)
{
    if (row.date == 0 || !Has(row.close))
        return false;
    for (const FieldNumber* n : {&row.open, &row.high, &row.low, &row.close, &row.volume}) {
        if (IsBad(*n) || (Has(*n) && n->value < 0))
            return false;
    }
    bar.date = row.date;
    bar.close = row.close.value;
    bar.open = Has(row.open) ? row.open.value : bar.close;
    bar.high = Has(row.high) ? row.high.value : std::max(bar.open, bar.close);
    bar.low = Has(row.low) ? row.low.value : std::min(bar.open, bar.close);
    bar.volume = Has(row.volume) ? row.volume.value : 0;
    return bar.high >= bar.low;
}

} // namespace brasko
