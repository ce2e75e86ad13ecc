#pragma once

#include <QRect>

namespace quorex::chart {

// The rows of one pane, top to bottom: the line kept free for the catalog's label (top pane
// only), a text line above the values, the values, a text line below them.
struct PaneRows {
    QRect freeLine;
    QRect upperBand;
    QRect lowerBand;
    int textTop = 0;       // the pane's texts stay at or below this row
    int valueTop = 0;      // the highest value maps here
    int valueBottom = -1;  // the lowest here; above valueTop when no row is left

    bool HasValueRows() const { return valueBottom >= valueTop; }
};

struct PaneRowsRequest {
    QRect pane;            // with its frame
    bool price = false;    // price panes keep a padding under their values too
    int freeLine = 0;      // rows kept free at the top; 0: none
    int textLine = 0;      // height of a text band; 0: no bands
    bool upper = false;
    bool lower = false;
};

PaneRows ArrangePane(const PaneRowsRequest& request);

} // namespace quorex::chart
