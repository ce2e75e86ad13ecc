#pragma once

#include "QuorexComponents.h"

#include <QStringList>

namespace mosgrid {

// The crosshair's read-out of one bar, a line each: date, open, high, low, close, volume.
// Prices with the file's own decimals, volume whole; thousands grouped.
QStringList BarReadout(const quorex::PriceBar& bar, int decimals);

// A line per indicator value ("RSI(14) 45.2318", six significant digits); lines without a
// value at the bar are left out.
QStringList IndicatorReadout(const std::vector<quorex::IndicatorValue>& values);

} // namespace mosgrid
