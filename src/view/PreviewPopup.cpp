#include "view/PreviewPopup.h"

#include "view/ChartPicture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace mosgrid {

namespace {

constexpr int kFrame = 1;

} // namespace

PreviewPopup::PreviewPopup(const ChartRequest& request, int item, QWidget* grid,
                           QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)
    , m_nItem(item)
    , m_pGrid(grid)
    , m_pPicture(new ChartPicture(this))
{
    setObjectName(QStringLiteral("previewPopup"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMouseTracking(true);  // moves over it are the grid's too
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    QPalette frame = palette();
    frame.setColor(QPalette::Window, Qt::white);
    setPalette(frame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kFrame, kFrame, kFrame, kFrame);
    m_pPicture->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(m_pPicture);
    resize(request.size + QSize(2 * kFrame, 2 * kFrame));
    m_pPicture->Request(request);
}

void PreviewPopup::HandOn(const QMouseEvent& mouse)
{
    if (!m_pGrid)
        return;
    const QPointF global = mouse.globalPosition();
    const auto send = [&](QEvent::Type type) {
        QMouseEvent handed(type, m_pGrid->mapFromGlobal(global), global, mouse.button(),
                           mouse.buttons(), mouse.modifiers());
        QApplication::sendEvent(m_pGrid, &handed);
    };
    // The platform's double-click may not come through a window that hands its clicks on:
    // the second of two quick presses at one place is one, told once.
    if (mouse.type() == QEvent::MouseButtonDblClick) {
        if (!m_bDoubleClickSent)
            send(QEvent::MouseButtonDblClick);
        m_bDoubleClickSent = false;
        return;
    }
    send(mouse.type());
    if (mouse.type() != QEvent::MouseButtonPress)
        return;
    const QPoint at = global.toPoint();
    const bool second = m_pressClock.isValid()
        && m_pressClock.elapsed() <= QApplication::doubleClickInterval()
        && (at - m_lastPress).manhattanLength() <= QApplication::startDragDistance();
    m_lastPress = at;
    m_pressClock.start();
    m_bDoubleClickSent = second;
    if (second) {
        m_pressClock.invalidate();
        send(QEvent::MouseButtonDblClick);
    }
}

bool PreviewPopup::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        HandOn(*static_cast<const QMouseEvent*>(event));
        return true;
    case QEvent::Wheel: {
        const auto* wheel = static_cast<const QWheelEvent*>(event);
        if (m_pGrid) {
            const QPointF global = wheel->globalPosition();
            QWheelEvent handed(m_pGrid->mapFromGlobal(global), global, wheel->pixelDelta(),
                               wheel->angleDelta(), wheel->buttons(), wheel->modifiers(),
                               wheel->phase(), wheel->inverted());
            QApplication::sendEvent(m_pGrid, &handed);
        }
        return true;
    }
    default:
        return QWidget::event(event);
    }
}

} // namespace mosgrid
