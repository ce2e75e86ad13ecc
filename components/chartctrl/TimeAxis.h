#pragma once

#include "ChartDefinition.h"
#include "QuorexComponents.h"

#include <QString>

#include <span>
#include <vector>

namespace quorex::chart {

// A time boundary inside the shown bars: a vertical guide line goes before bar `index`
// (counted from the first shown bar) and its label names the period that begins there.
struct TimeMark {
    int index = 0;
    QString label;
};

// Boundaries of the finest calendar step (week, month, quarter, half year, year, 2, 5 or
// 10 years) whose labels fit: at most `plotWidth` / (label width + gap) of them, a label
// being about `charWidth` pixels per character. Week steps only for daily bars.
std::vector<TimeMark> TimeMarks(std::span<const PriceBar> bars, int first, int count,
                                Period period, int plotWidth, int charWidth);

} // namespace quorex::chart
