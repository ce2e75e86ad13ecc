#pragma once

#include <QRect>
#include <QSize>

#include <vector>

namespace quorex::chart {

// Where the parts of a chart go inside the control's rectangle.
struct ChartLayout {
    QRect plot;                 // every pane, stacked, with the outer frame
    std::vector<QRect> panes;   // top to bottom, sharing the plot's left and right edges
    QRect priceAxis;            // labels right of the panes; empty without labels
    QRect dateAxis;             // labels under the panes; empty without labels
    QRect scrollBar;            // along the bottom edge; empty when not shown
};

struct LayoutRequest {
    QRect bounds;
    std::vector<int> parts;     // height shares of the panes, top to bottom
    bool scrollBar = false;
    int dateAxisHeight = 0;     // 0: no date labels
    int priceAxisWidth = 0;     // 0: no price labels
};

// Pane heights follow their shares; rounding never leaves a row unused.
ChartLayout ComputeLayout(const LayoutRequest& request);

} // namespace quorex::chart
