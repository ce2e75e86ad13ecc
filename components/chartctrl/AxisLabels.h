#pragma once

#include "AxisTicks.h"

#include <QStringList>

class QFontMetrics;

namespace quorex::chart {

// Ticks of a value axis with their labels, every label no wider than the axis column.
struct AxisLabels {
    AxisTicks ticks;
    QStringList labels;   // one per tick; empty when no labels fit
};

struct AxisLabelRequest {
    double lo = 0;             // the values whose rows can hold a centred label
    double hi = 0;
    int maxTicks = 0;          // as many as the pane's height spaces well
    double minStep = 0;        // ticks closer than this would make labels touch
    bool price = true;         // price labels, else volume labels (never one at zero)
    int width = 0;             // of the label column, in pixels
};

// Round ticks whose labels fit: on a price axis at least two where two fit apart, else
// fewer, coarser ones when the labels of more would not fit. A label too wide as it is
// goes without thousands separators, then with a unit ("12.5K", "3.4M"), then as a power
// of ten ("1.2e33").
AxisLabels FitAxisLabels(const AxisLabelRequest& request, const QFontMetrics& metrics);

// The digits after the point that show every multiple of `step` exactly (at most 6).
int StepDecimals(double step);

} // namespace quorex::chart
