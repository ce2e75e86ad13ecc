#pragma once

#include "view/RenderedChart.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QWidget>

#include <memory>
#include <optional>

namespace mosgrid {

// An enlarged chart, drawn on a worker thread with its own chart host and shown when it is
// ready, with a crosshair under the pointer that reads out the bar there (date, open, high,
// low, close, volume). The user-interface thread only copies the picture.
class ChartPicture : public QWidget {
    Q_OBJECT
public:
    explicit ChartPicture(QWidget* parent = nullptr);
    // Waits for a drawing still under way: it uses the components' lock.
    ~ChartPicture() override;

    // Draws the chart anew at request.size; an older drawing still under way is dropped.
    void Request(const ChartRequest& request);
    std::shared_ptr<const RenderedChart> chart() const { return m_chart; }
    // The crosshair's point (picture coordinates), or nothing.
    std::optional<QPoint> crosshair() const { return m_crosshair; }
    void SetCrosshair(std::optional<QPoint> point);

signals:
    void chartShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Take();
    void PaintReadout(QPainter& painter, QPoint at, const quorex::PriceBar& bar) const;

    std::shared_ptr<const RenderedChart> m_chart;
    std::optional<QPoint> m_crosshair;
    using Result = std::shared_ptr<const RenderedChart>;
    // A pool of its own: the destructor waits until the drawing task is deleted too, as the
    // task may hold the last reference to a result that needs the components to go.
    QThreadPool m_pool;
    QFutureWatcher<Result> m_watcher;
    // A drawing was started and its result not yet taken (a task still queued in the pool is
    // not "running" to the watcher, yet replacing it would lose its result).
    bool m_busy = false;
    // A request made while another drawing runs waits here; only the newest is drawn.
    std::optional<ChartRequest> m_pending;
};

} // namespace mosgrid
