#pragma once

#include "ChartDefinition.h"
#include "ChartParams.h"
#include "QuorexComponents.h"

#include <QRect>
#include <QString>

#include <map>
#include <span>
#include <string>

class QPainter;

namespace quorex::chart {

// Everything a chart picture depends on.
// Other codes' series by code, for RS panes.
using RelatedSeries = std::map<std::string, PriceDataPtr>;

struct ChartScene {
    std::span<const PriceBar> bars;              // daily, ascending; may be empty
    std::span<const ChartDefinition> charts;     // the shown panes, top to bottom
    ChartParams params;
    QString notice;                              // shown in the plot; empty for none
    const RelatedSeries* related = nullptr;      // none: no other code's series
};

// Draws the scene over `bounds`. A pure function of its arguments: it keeps no state
// between calls, so it may run on several threads at once, each with its own painter
// (on a QImage). Without bars or charts the rectangle gets the background colour and the
// notice alone. The painter's state is restored on return.
void RenderChart(QPainter& painter, const QRect& bounds, const ChartScene& scene);

} // namespace quorex::chart
