#include "ChartLayout.h"

#include <algorithm>
#include <numeric>

namespace quorex::chart {

namespace {

constexpr int kOuterMargin = 2;
// Like the platform's scroll bar: 17 pixels at most, thinner in small charts.
constexpr int kMaxScrollBar = 17;
constexpr int kMinScrollBar = 5;
constexpr int kScrollBarShare = 16;

int ScrollBarHeight(int chartHeight)
{
    return std::clamp(chartHeight / kScrollBarShare, kMinScrollBar, kMaxScrollBar);
}

} // namespace

ChartLayout ComputeLayout(const LayoutRequest& request)
{
    ChartLayout layout;
    QRect area = request.bounds;
    if (request.scrollBar) {
        const int height = std::min(ScrollBarHeight(area.height()), area.height());
        layout.scrollBar = QRect(area.left(), area.bottom() - height + 1, area.width(), height);
        area.setBottom(layout.scrollBar.top() - 1);
    }
    area.adjust(kOuterMargin, kOuterMargin, -kOuterMargin, -kOuterMargin);
    if (request.dateAxisHeight > 0) {
        layout.dateAxis = QRect(area.left(), area.bottom() - request.dateAxisHeight + 1,
                                area.width(), request.dateAxisHeight);
        area.setBottom(layout.dateAxis.top() - 1);
    }
    if (request.priceAxisWidth > 0) {
        layout.priceAxis = QRect(area.right() - request.priceAxisWidth + 1, area.top(),
                                 request.priceAxisWidth, area.height());
        area.setRight(layout.priceAxis.left() - 1);
        layout.dateAxis.setRight(area.right());
    }
    layout.plot = area;
    if (area.width() <= 0 || area.height() <= 0)
        return layout;

    const int total = std::accumulate(request.parts.begin(), request.parts.end(), 0);
    if (total <= 0)
        return layout;
    int used = 0;
    for (const int part : request.parts) {
        const int top = area.top() + area.height() * used / total;
        used += part;
        const int bottom = area.top() + area.height() * used / total;
        layout.panes.emplace_back(area.left(), top, area.width(), bottom - top);
    }
    return layout;
}

} // namespace quorex::chart
