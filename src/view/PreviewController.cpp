#include "view/PreviewController.h"

#include "base/GridTexts.h"
#include "catalog/DisplayText.h"
#include "settings/ChartSettings.h"
#include "view/CCatalogView.h"
#include "view/ChartWindow.h"
#include "view/PreviewGeometry.h"
#include "view/PreviewPopup.h"
#include "view/ShownOrder.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

PreviewController::PreviewController(CCatalogView& view) : m_view(view)
{
    m_hover.setSingleShot(true);
    m_hover.setInterval(kHoverDelayMs);
    connect(&m_hover, &QTimer::timeout, this, &PreviewController::OnHoverTimeout);
}

PreviewController::~PreviewController()
{
    Close();
    for (const QPointer<ChartWindow>& window : m_windows)
        delete window.data();
}

ChartRequest PreviewController::RequestFor(int item, QSize size) const
{
    ChartRequest request;
    request.item = *m_view.m_itemList[item];
    request.size = size;
    request.iniFile = m_view.paths().iniFile;
    request.period = m_view.periodChoice();
    request.provider = m_view.componentProvider();
    return request;
}

QRect PreviewController::GlobalCellRect(int item) const
{
    const QRect cell = m_view.CellRectOf(m_view.shownOrder().PositionOf(item));
    return QRect(m_view.viewport()->mapToGlobal(cell.topLeft()), cell.size());
}

void PreviewController::ShowFor(int item)
{
    Close();
    if (item < 0 || item >= static_cast<int>(m_view.m_itemList.size())
        || m_view.shownOrder().PositionOf(item) < 0)
        return;
    const QScreen* screen = m_view.screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size = PreviewGeometry::PreviewSize(QSize(m_view.m_nSizeX, m_view.m_nSizeY),
                                                    available.size());
    if (size.isEmpty())
        return;
    auto* popup = new PreviewPopup(RequestFor(item, size), item, &m_view);
    popup->setGeometry(PreviewGeometry::PopupRect(GlobalCellRect(item), popup->size(),
                                                  available));
    connect(popup, &PreviewPopup::pointerLeft, this, [this] {
        if (!PointerOverPopupOrCell())
            Close();
    });
    m_pPopup = popup;
    popup->show();
}

bool PreviewController::isShown() const
{
    return !m_pPopup.isNull();
}

PreviewPopup* PreviewController::popup() const
{
    return m_pPopup.data();
}

void PreviewController::Close()
{
    m_hover.stop();
    if (m_pPopup) {
        m_pPopup->hide();
        delete m_pPopup.data();
    }
    m_pPopup = nullptr;
}

void PreviewController::OpenWindow(int item)
{
    if (item < 0 || item >= static_cast<int>(m_view.m_itemList.size()))
        return;
    Close();
    const CatalogItem& source = *m_view.m_itemList[item];
    const QScreen* screen = m_view.screen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const QSize size = PreviewGeometry::PreviewSize(QSize(m_view.m_nSizeX, m_view.m_nSizeY),
                                                    available);
    const QString title = GridTexts::kChartWindowTitle.arg(DisplayText(source.m_strName),
                                                           DisplayText(source.m_strCode));
    auto* window = new ChartWindow(RequestFor(item, size.isEmpty() ? available / 2 : size),
                                   title, m_view.window());
    std::erase_if(m_windows, [](const QPointer<ChartWindow>& w) { return w.isNull(); });
    m_windows.emplace_back(window);
    // Over the middle of the catalog, where the user is looking.
    const QRect catalog = m_view.window()->frameGeometry();
    window->move(catalog.center() - QPoint(window->width() / 2, window->height() / 2));
    window->show();
}

std::vector<ChartWindow*> PreviewController::windows() const
{
    std::vector<ChartWindow*> open;
    for (const QPointer<ChartWindow>& window : m_windows) {
        if (window)
            open.push_back(window.data());
    }
    return open;
}

void PreviewController::PointerMoved(QPoint point)
{
    const int item = m_view.HitTest(point.x(), point.y());
    if (m_pPopup && m_pPopup->item() != item)
        Close();
    if (item < 0) {
        m_hover.stop();
        m_nHoverItem = -1;
        return;
    }
    if (m_pPopup || (item == m_nHoverItem && m_hover.isActive()))
        return;
    m_nHoverItem = item;
    m_hover.start();
}

void PreviewController::PointerLeft()
{
    m_hover.stop();
    m_nHoverItem = -1;
    if (m_pPopup && !PointerOverPopupOrCell())
        Close();
}

bool PreviewController::PointerOverPopupOrCell() const
{
    const QPoint pointer = QCursor::pos();
    if (m_pPopup && m_pPopup->geometry().contains(pointer))
        return true;
    return m_pPopup && GlobalCellRect(m_pPopup->item()).contains(pointer);
}

void PreviewController::OnHoverTimeout()
{
    if (m_nHoverItem >= 0 && m_view.isVisible())
        ShowFor(m_nHoverItem);
}
