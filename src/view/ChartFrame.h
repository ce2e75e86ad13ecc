#pragma once

#include "QuorexComponents.h"
#include "chart/CXQuorexCtrl.h"

#include <QImage>
#include <QPoint>
#include <QSize>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPainter;

namespace mosgrid {

class IComponentProvider;

// One picture of the chart window: the newest `dailyBars` of the whole series drawn with
// these parameters and definitions.
struct FrameRequest {
    quorex::PriceDataPtr series;        // every daily bar; null: nothing to draw
    int dailyBars = 0;                  // the series cut after this many bars
    std::string params;
    std::vector<std::string> definitions;
    std::string notice;                 // shown when there is no series
    QSize size;
    IComponentProvider* provider = nullptr;  // outlives the frame
};

// A picture drawn on a worker thread with a chart control of its own, kept with it so the
// bar under a point can be asked and the picture drawn again as vectors. Made on one thread,
// then only read: BarAt, ValuesAt and PaintOnto may run on any thread at once.
class ChartFrame {
public:
    static std::shared_ptr<const ChartFrame> Render(const FrameRequest& request);
    // Lets the control go under the provider's component lock.
    ~ChartFrame();
    ChartFrame(const ChartFrame&) = delete;
    ChartFrame& operator=(const ChartFrame&) = delete;

    const QImage& image() const { return m_image; }
    std::optional<quorex::PriceBar> BarAt(QPoint point) const;
    std::vector<quorex::IndicatorValue> ValuesAt(QPoint point) const;
    // The picture again into `bounds` of any painter; false when the control cannot.
    bool PaintOnto(QPainter& painter, const QRect& bounds) const;

private:
    ChartFrame() = default;

    QImage m_image;
    IComponentProvider* m_provider = nullptr;
    CXQuorexCtrl m_control;
};

} // namespace mosgrid
