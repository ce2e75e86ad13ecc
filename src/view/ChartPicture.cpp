#include "view/ChartPicture.h"

#include "base/GridTexts.h"
#include "view/BarReadout.h"
#include "view/ReadoutBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtConcurrent>

namespace mosgrid {

namespace {

constexpr QRgb kCrosshairColor = 0xff606060;

} // namespace

ChartPicture::ChartPicture(QWidget* parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_watcher, &QFutureWatcher<Result>::finished, this, &ChartPicture::Take);
}

ChartPicture::~ChartPicture()
{
    m_watcher.waitForFinished();
    m_pool.waitForDone();
}

void ChartPicture::Request(const ChartRequest& request)
{
    if (m_busy) {
        m_pending = request;
        return;
    }
    m_busy = true;
    m_watcher.setFuture(QtConcurrent::run(&m_pool, &RenderedChart::Render, request));
}

void ChartPicture::Take()
{
    m_busy = false;
    if (m_pending) {
        // Drawn for a size or item no longer wanted: the newest request instead.
        const ChartRequest next = std::move(*m_pending);
        m_pending.reset();
        Request(next);
        return;
    }
    m_chart = m_watcher.result();
    update();
    emit chartShown();
}

void ChartPicture::SetCrosshair(std::optional<QPoint> point)
{
    if (point == m_crosshair)
        return;
    m_crosshair = point;
    update();
}

void ChartPicture::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_chart || m_chart->image().isNull()) {
        painter.setPen(Qt::lightGray);
        painter.drawText(rect(), Qt::AlignCenter, GridTexts::kDrawing);
        return;
    }
    painter.drawImage(QPoint(0, 0), m_chart->image());
    if (!m_crosshair)
        return;
    // crosshair
    const QPoint at = *m_crosshair;
    painter.setPen(QPen(QColor::fromRgba(kCrosshairColor), 1, Qt::DashLine));
    painter.drawLine(at.x(), 0, at.x(), height());
    painter.drawLine(0, at.y(), width(), at.y());
    if (const std::optional<quorex::PriceBar> bar = m_chart->BarAt(at))
        PaintReadout(painter, at, *bar);
}

void ChartPicture::PaintReadout(QPainter& painter, QPoint at, const quorex::PriceBar& bar) const
{
    PaintReadoutBox(painter, size(), at,
                    BarReadout(bar, m_chart->facts().decimals)
                        + IndicatorReadout(m_chart->ValuesAt(at)));
}

void ChartPicture::mouseMoveEvent(QMouseEvent* event)
{
    SetCrosshair(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

void ChartPicture::leaveEvent(QEvent* event)
{
    SetCrosshair(std::nullopt);
    QWidget::leaveEvent(event);
}

} // namespace mosgrid
