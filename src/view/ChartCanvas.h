#pragma once

#include "view/ChartFrame.h"

#include <QFutureWatcher>
#include <QThreadPool>
#include <QImage>
#include <QWidget>

#include <memory>
#include <optional>

namespace mosgrid {

// The chart window's picture: frames drawn on a worker thread (the newest request wins, one
// drawing at a time) and painted when ready, with a crosshair that reads out the bar under
// it and every indicator's value there. It stays where it is while the frames change under
// it, so keys that scroll read out the bar that comes under it. The wheel and dragging are
// passed on; the user-interface thread only copies pictures.
class ChartCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ChartCanvas(QWidget* parent = nullptr);
    // Waits for a drawing still under way: it uses the components' lock.
    ~ChartCanvas() override;

    void Request(const FrameRequest& request);
    std::shared_ptr<const ChartFrame> frame() const { return m_frame; }
    // A frame asked for has not been shown yet.
    bool isDrawing() const { return m_drawing; }
    void SetDecimals(int decimals);
    std::optional<QPoint> crosshair() const { return m_crosshair; }
    void SetCrosshair(std::optional<QPoint> point);
    // Shown while there is no frame yet.
    void SetWaitingText(const QString& text);
    // A picture that stands for the chart, scaled to the canvas, until a frame asked for
    // after it lands; frames asked for before are dropped. A null picture leaves the
    // waiting text alone.
    void ShowStandIn(const QImage& picture);
    const QImage& standIn() const { return m_standIn; }

signals:
    void frameShown();
    // Wheel notches (positive: away from the user) over a point.
    void wheelTurned(int notches, QPoint at);
    // The pointer dragged this many pixels to the right since the last report.
    void dragged(int pixels);
    // The canvas has its new size: frames are drawn at it from now on.
    void resized();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Take();
    void PaintWaiting(QPainter& painter);

    using Result = std::shared_ptr<const ChartFrame>;
    std::shared_ptr<const ChartFrame> m_frame;
    std::optional<QPoint> m_crosshair;
    // The size a frame of another size was last drawn again for.
    QSize m_askedAgainFor;
    // A pool of its own: the destructor waits until the drawing task is deleted too, as the
    // task may hold the last reference to a result that needs the components to go.
    QThreadPool m_pool;
    QFutureWatcher<Result> m_watcher;
    // A drawing was started and its result not yet taken (a task still queued in the pool is
    // not "running" to the watcher, yet replacing it would lose its result).
    bool m_busy = false;
    QImage m_standIn;
    // Frames asked for since the last stand-in count; the one drawing may be older.
    int m_generation = 0;
    int m_drawingGeneration = 0;
    std::optional<FrameRequest> m_pending;
    bool m_drawing = false;
    int m_decimals = 0;
    QString m_waitingText;
    std::optional<int> m_dragX;
    int m_wheelRemainder = 0;
};

} // namespace mosgrid
