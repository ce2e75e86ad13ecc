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

std::vector<bool> AxisFlags(const LayoutRequest& request)
{
    const std::size_t count = request.parts.size();
    std::vector<bool> below(count, false);
    if (request.dateAxisHeight <= 0 || count == 0)
        return below;
    if (request.axisBelow.empty()) {
        below.back() = true;
        return below;
    }
    for (std::size_t i = 0; i < count && i < request.axisBelow.size(); ++i)
        below[i] = request.axisBelow[i];
    return below;
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
    if (request.priceAxisWidth > 0) {
        layout.priceAxis = QRect(area.right() - request.priceAxisWidth + 1, area.top(),
                                 request.priceAxisWidth, area.height());
        area.setRight(layout.priceAxis.left() - 1);
    }
    layout.plot = area;

    const std::vector<bool> below = AxisFlags(request);
    const int axisHeight = std::max(request.dateAxisHeight, 0);
    const int axes = static_cast<int>(std::count(below.begin(), below.end(), true));
    const int space = area.height() - axes * axisHeight;
    const int total = std::accumulate(request.parts.begin(), request.parts.end(), 0);
    if (area.width() <= 0 || space <= 0 || total <= 0)
        return layout;

    int used = 0;
    int axesAbove = 0;
    int boxTop = -1;
    for (std::size_t i = 0; i < request.parts.size(); ++i) {
        const int offset = area.top() + axesAbove * axisHeight;
        const int top = offset + space * used / total;
        used += request.parts[i];
        const int bottom = offset + space * used / total;
        layout.panes.emplace_back(area.left(), top, area.width(), bottom - top);
        layout.dateAxes.emplace_back();
        if (boxTop < 0)
            boxTop = top;
        if (below[i]) {
            layout.dateAxes.back() = QRect(area.left(), bottom, area.width(), axisHeight);
            layout.boxes.emplace_back(area.left(), boxTop, area.width(), bottom - boxTop);
            boxTop = -1;
            ++axesAbove;
        }
    }
    if (boxTop >= 0)
        layout.boxes.emplace_back(area.left(), boxTop, area.width(),
                                  layout.panes.back().bottom() + 1 - boxTop);
    layout.plot = QRect(QPoint(area.left(), layout.panes.front().top()),
                        QPoint(area.right(), layout.panes.back().bottom()));
    return layout;
}

} // namespace quorex::chart
