#pragma once

#include "ChartStyle.h"
#include "SeriesWindow.h"
#include "SlotMapper.h"
#include "ValueMapper.h"

#include <vector>

class QPainter;

namespace quorex::chart {

// One line per moving average through the centres of the bars that have a value; with
// `direct`, thin lines on a plain image go straight into it (ThinLineRaster).
void DrawMovingAverages(QPainter& painter, const ChartStyle& style,
                        const std::vector<std::vector<double>>& averages,
                        const SlotMapper& columns, const ValueMapper& values, double penWidth,
                        bool direct);

} // namespace quorex::chart
