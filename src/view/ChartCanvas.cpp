#include "view/ChartCanvas.h"

#include "view/BarReadout.h"
#include "view/ReadoutBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <QtConcurrent>

namespace mosgrid {

namespace {

constexpr QRgb kCrosshairColor = 0xff808080;
constexpr int kWheelNotch = 120;
constexpr int kTextMargin = 4;

} // namespace

ChartCanvas::ChartCanvas(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &ChartCanvas::Take);
}

ChartCanvas::~ChartCanvas()
{
    m_watcher.waitForFinished();
    m_pool.waitForDone();
}

void ChartCanvas::Request(const FrameRequest& request)
{
    m_drawing = true;
    if (m_busy) {
        m_pending = request;
        return;
    }
    m_drawingGeneration = m_generation;
    m_busy = true;
    m_watcher.setFuture(QtConcurrent::run(&m_pool, &ChartFrame::Render, request));
}

void ChartCanvas::Take()
{
    m_busy = false;
    if (m_drawingGeneration == m_generation) {
        m_frame = m_watcher.result();
        m_standIn = QImage();
    }
    if (m_pending) {
        // Shown meanwhile: scrolling stays smooth while the newest is drawn.
        FrameRequest next = std::move(*m_pending);
        m_pending.reset();
        Request(next);
    }
    update();
    if (m_busy)
        return;
    // A frame drawn for a size the canvas no longer has (a resize met a frame under way) is
    // drawn again at the size it has now.
    // Once per size, so a picture that cannot take the size asks for no more.
    const bool stale = m_frame && !m_frame->image().isNull() && m_frame->image().size() != size();
    if (stale && m_askedAgainFor != size()) {
        m_askedAgainFor = size();
        emit resized();
        if (m_busy)
            return;
    } else if (!stale) {
        m_askedAgainFor = QSize();
    }
    m_drawing = false;
    emit frameShown();
}

void ChartCanvas::SetDecimals(int decimals)
{
    m_decimals = decimals;
}

void ChartCanvas::SetWaitingText(const QString& text)
{
    m_waitingText = text;
    update();
}

void ChartCanvas::ShowStandIn(const QImage& picture)
{
    ++m_generation;
    m_pending.reset();
    m_frame.reset();
    m_standIn = picture;
    update();
}

void ChartCanvas::PaintWaiting(QPainter& painter)
{
    const QRect area = rect();
    if (!m_standIn.isNull()) {
        // The grid's picture, as large as the canvas allows in its own proportions.
        QRect target(QPoint(), m_standIn.size().scaled(area.size(), Qt::KeepAspectRatio));
        target.moveCenter(area.center());
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, m_standIn);
    }
    if (m_waitingText.isEmpty())
        return;
    const QRect text = painter.fontMetrics()
                           .boundingRect(m_waitingText)
                           .adjusted(-kTextMargin, -kTextMargin, kTextMargin, kTextMargin);
    const QRect box = m_standIn.isNull()
        ? QRect(area.center() - text.center(), text.size())
        : text.translated(kTextMargin - text.left(), kTextMargin - text.top());
    painter.fillRect(box, Qt::black);
    painter.setPen(Qt::lightGray);
    painter.drawText(box, Qt::AlignCenter, m_waitingText);
}

void ChartCanvas::SetCrosshair(std::optional<QPoint> point)
{
    if (point == m_crosshair)
        return;
    m_crosshair = point;
    update();
}

void ChartCanvas::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_frame || m_frame->image().isNull()) {
        PaintWaiting(painter);
        return;
    }
    // A frame of another size is shown as it is until the one of this size lands.
    painter.drawImage(QPoint(0, 0), m_frame->image());
    if (!m_crosshair)
        return;
    const QPoint at = *m_crosshair;
    painter.setPen(QPen(QColor::fromRgba(kCrosshairColor), 1, Qt::DashLine));
    painter.drawLine(at.x(), 0, at.x(), height());
    painter.drawLine(0, at.y(), width(), at.y());
    if (const std::optional<quorex::PriceBar> bar = m_frame->BarAt(at)) {
        PaintReadoutBox(painter, size(), at,
                        BarReadout(*bar, m_decimals) + IndicatorReadout(m_frame->ValuesAt(at)));
    }
}

void ChartCanvas::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragX = int(event->position().x());
    QWidget::mousePressEvent(event);
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    SetCrosshair(at);
    if (m_dragX && (event->buttons() & Qt::LeftButton)) {
        const int moved = at.x() - *m_dragX;
        if (moved != 0) {
            m_dragX = at.x();
            emit dragged(moved);
        }
    }
    QWidget::mouseMoveEvent(event);
}

void ChartCanvas::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_dragX.reset();
    QWidget::mouseReleaseEvent(event);
}

void ChartCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

void ChartCanvas::leaveEvent(QEvent* event)
{
    SetCrosshair(std::nullopt);
    QWidget::leaveEvent(event);
}

void ChartCanvas::wheelEvent(QWheelEvent* event)
{
    m_wheelRemainder += event->angleDelta().y();
    const int notches = m_wheelRemainder / kWheelNotch;
    m_wheelRemainder -= notches * kWheelNotch;
    if (notches != 0)
        emit wheelTurned(notches, event->position().toPoint());
    event->accept();
}

} // namespace mosgrid
