#pragma once

#include "ChartPlan.h"

#include <QStringList>

class QFontMetrics;

namespace quorex::chart {

// The texts of a plan, each placed where it touches no bar and stays out of the catalog's
// label line; each adds its items to plan.texts.

// Price (or volume) labels in the axis column, centred on their ticks' rows.
void AddValueLabels(ChartPlan& plan, int index, const QStringList& labels,
                    const QFontMetrics& metrics);

// Date labels in every date axis, from the marks of the pane the axis closes.
void AddDateLabels(ChartPlan& plan, const QFontMetrics& metrics);

// The values of the highest high and the lowest low in the bands above and below the bars,
// and the moving-average legend in a band where it meets neither.
void AddExtremesAndLegend(ChartPlan& plan, int index, const QFontMetrics& metrics);

// The legend of an indicator pane at its top left, on a backing, in panes tall enough.
void AddPaneLegend(ChartPlan& plan, int index, const QFontMetrics& metrics);

// One line centred in `area`, cut with an ellipsis to its width; nothing when no line fits.
void AddCentredLine(ChartPlan& plan, const QString& text, const QRect& area,
                    const QFontMetrics& metrics, TextRole role, int index, bool backed);

// The first row a label of the pane may take: below the catalog's label line.
int LabelTop(const PanePlan& pane, const QRect& rect);

} // namespace quorex::chart
