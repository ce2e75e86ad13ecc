#include "PaneRows.h"

namespace quorex::chart {

namespace {

// Between the frame (or a band) and the nearest bar.
constexpr int kValuePadding = 2;

} // namespace

PaneRows ArrangePane(const PaneRowsRequest& request)
{
    PaneRows rows;
    const QRect inside = request.pane.adjusted(1, 1, -1, -1);
    // Bands keep a column clear of the frame on either side.
    const QRect band = inside.adjusted(1, 0, -1, 0);
    int top = inside.top();
    if (request.freeLine > 0) {
        rows.freeLine = QRect(inside.left(), top, inside.width(), request.freeLine);
        top += request.freeLine;
    }
    rows.textTop = top;
    if (request.upper && request.textLine > 0) {
        rows.upperBand = QRect(band.left(), top, band.width(), request.textLine);
        top += request.textLine;
    }
    top += kValuePadding;
    int bottom = inside.bottom();
    if (request.lower && request.textLine > 0) {
        rows.lowerBand = QRect(band.left(), bottom - request.textLine + 1, band.width(),
                               request.textLine);
        bottom -= request.textLine;
    }
    if (request.price)
        bottom -= kValuePadding;
    rows.valueTop = top;
    rows.valueBottom = bottom;
    return rows;
}

} // namespace quorex::chart
