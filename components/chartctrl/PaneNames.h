#pragma once

#include "ChartDefinition.h"

#include <QString>

#include <vector>

namespace quorex::chart {

// What a pane's lines are called: in a value table's heading ("EMA(12)") and in the legend
// ("EMA12"). They follow from the definition alone.
struct PaneNames {
    // Price panes, one per period given.
    std::vector<QString> averages, averagesLegend;
    std::vector<QString> exponentials, exponentialsLegend;
    QString bandsUpper, bandsMiddle, bandsLower, bandsLegend;
    QString lagging, base, conversion, leadingA, leadingB, ichimokuLegend;
    // An indicator pane: its lines in the order it adds them (MACD: the line, the signal,
    // the histogram), and its legend.
    std::vector<QString> lines, legend;
};

PaneNames NamesOf(const ChartDefinition& chart);

// The same, made once per thread for each definition met lately: every thumbnail of a
// catalog names the same lines.
const PaneNames& KeptNamesOf(const ChartDefinition& chart);

} // namespace quorex::chart
