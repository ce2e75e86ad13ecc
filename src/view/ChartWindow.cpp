#include "view/ChartWindow.h"

#include "view/ChartPicture.h"

#include <QKeyEvent>
#include <QVBoxLayout>

ChartWindow::ChartWindow(const ChartRequest& request, const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_request(request)
    , m_pPicture(new ChartPicture(this))
{
    setObjectName(QStringLiteral("chartWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing the catalog ends the program even while this window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pPicture);
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(kRedrawDelayMs);
    connect(&m_redraw, &QTimer::timeout, this, [this] {
        m_request.size = m_pPicture->size();
        m_pPicture->Request(m_request);
    });
    resize(request.size);
    m_pPicture->Request(m_request);
}

void ChartWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_pPicture->size() != m_request.size)
        m_redraw.start();
}

void ChartWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
