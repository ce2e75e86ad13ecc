#pragma once

#include "QuorexComponents.h"

#include <QStringList>

// The crosshair's read-out of one bar, a line each: date, open, high, low, close, volume.
// Prices with the file's own decimals, volume whole; thousands grouped.
QStringList BarReadout(const quorex::PriceBar& bar, int decimals);
