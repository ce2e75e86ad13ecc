#pragma once

#include <QRect>
#include <QSize>

#include <vector>

namespace quorex::chart {

// Where the parts of a chart go inside the control's rectangle.
struct ChartLayout {
    QRect plot;                   // every pane, stacked, with the date axes between them
    std::vector<QRect> panes;     // top to bottom, sharing the plot's left and right edges
    std::vector<QRect> dateAxes;  // per pane: the date labels under it; empty for none
    std::vector<QRect> boxes;     // framed runs of panes, each ending at a date axis
    QRect priceAxis;              // labels right of the panes; empty without labels
    QRect scrollBar;              // along the bottom edge; empty when not shown
};

struct LayoutRequest {
    QRect bounds;
    std::vector<int> parts;       // height shares of the panes, top to bottom
    bool scrollBar = false;
    int dateAxisHeight = 0;       // 0: no date labels
    int priceAxisWidth = 0;       // 0: no price labels
    // The panes with a date axis under them; empty: the last one only.
    std::vector<bool> axisBelow;
};

// Pane heights follow their shares of what the date axes leave; rounding never leaves a
// row unused. No panes when they would have no room.
ChartLayout ComputeLayout(const LayoutRequest& request);

} // namespace quorex::chart
