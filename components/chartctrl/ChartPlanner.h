#pragma once

#include "ChartPlan.h"
#include "ChartRenderer.h"

namespace quorex::chart {

// Works out everything the scene's picture over `bounds` shows. A pure function of its
// arguments. The plan points into the scene's bars and definitions.
ChartPlan PlanChart(const QRect& bounds, const ChartScene& scene);

// The price column's text: prices up to this width show in full, wider ones shortened, so
// that the column, and with it the plot, keeps one width whatever the data.
inline constexpr char kPriceColumnSample[] = "88,888";

} // namespace quorex::chart
