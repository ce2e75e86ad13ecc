#include "view/PreviewController.h"

#include "base/GridTexts.h"
#include "settings/SettingsStore.h"
#include "settings/ViewChoices.h"
#include "model/CatalogModel.h"
#include "view/GridSurface.h"
#include "view/ChartPicture.h"
#include "view/ChartWindow.h"
#include "view/PreviewGeometry.h"
#include "view/PreviewPopup.h"
#include "model/ShownOrder.h"
#include "view/ViewStepping.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace mosgrid {

PreviewController::PreviewController(GridSurface& surface)
    : m_surface(surface)
    , m_stepping(std::make_shared<ViewStepping>(surface))
{
    m_hover.setSingleShot(true);
    m_hover.setInterval(kHoverDelayMs);
    connect(&m_hover, &QTimer::timeout, this, &PreviewController::OnHoverTimeout);
}

PreviewController::~PreviewController()
{
    Close();
    for (const QPointer<PreviewPopup>& popup : m_closing)
        delete popup.data();
    for (const QPointer<ChartWindow>& window : m_windows)
        delete window.data();
}

ChartRequest PreviewController::RequestFor(int item, QSize size) const
{
    ChartRequest request;
    request.item = *m_surface.model().items()[item];
    request.size = size;
    request.iniFile = m_surface.model().paths().iniFile;
    request.period = m_surface.model().periodChoice();
    request.provider = m_surface.model().componentProvider();
    return request;
}

QRect PreviewController::GlobalCellRect(int item) const
{
    const QRect cell = m_surface.CellRectOf(m_surface.model().shownOrder().PositionOf(item));
    return QRect(m_surface.cellArea()->mapToGlobal(cell.topLeft()), cell.size());
}

void PreviewController::ShowFor(int item)
{
    Close();
    if (item < 0 || item >= static_cast<int>(m_surface.model().items().size())
        || m_surface.model().shownOrder().PositionOf(item) < 0)
        return;
    const QScreen* screen = m_surface.gridWidget()->screen();
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size = PreviewGeometry::PreviewSize(m_surface.model().thumbnailSize(),
                                                    available.size());
    if (size.isEmpty())
        return;
    auto* popup = new PreviewPopup(RequestFor(item, size), item, m_surface.cellArea(), m_surface.gridWidget());
    popup->setGeometry(PreviewGeometry::PopupRect(GlobalCellRect(item), popup->size(),
                                                  available));
    std::erase_if(m_closing, [](const QPointer<PreviewPopup>& p) { return p.isNull(); });
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
    if (!m_pPopup)
        return;
    PreviewPopup* popup = m_pPopup.data();
    m_pPopup = nullptr;
    popup->hide();
    popup->deleteLater();
    m_closing.emplace_back(popup);
}

void PreviewController::OpenWindow(int item)
{
    if (item < 0 || item >= static_cast<int>(m_surface.model().items().size()))
        return;
    Close();
    const CatalogItem& source = *m_surface.model().items()[item];
    // One window per security: the one open comes to the front.
    for (ChartWindow* open : windows()) {
        if (SameSecurity(open->item(), source)) {
            open->showNormal();
            open->raise();
            open->activateWindow();
            return;
        }
    }
    const QScreen* screen = m_surface.gridWidget()->screen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(1024, 768);
    const QSize size = PreviewGeometry::PreviewSize(m_surface.model().thumbnailSize(),
                                                    available);
    ChartWindowContext context{m_surface.model().paths().iniFile, m_surface.model().componentProvider(), m_stepping};
    auto* window = new ChartWindow(std::move(context), source, m_surface.gridWidget()->window());
    std::erase_if(m_windows, [](const QPointer<ChartWindow>& w) { return w.isNull(); });
    m_windows.emplace_back(window);
    const QRect kept = ChartWindowSettings::Read(SettingsStore(m_surface.model().paths().iniFile)).geometry;
    // A place kept on a screen no longer there is forgotten.
    if (kept.isValid() && screen != nullptr
        && screen->availableVirtualGeometry().intersects(kept)) {
        window->setGeometry(kept);
    } else {
        window->resize(size.isEmpty() ? available / 2 : size);
        // Over the middle of the catalog, where the user is looking.
        const QRect catalog = m_surface.gridWidget()->window()->frameGeometry();
        window->move(catalog.center() - QPoint(window->width() / 2, window->height() / 2));
    }
    window->show();
    window->activateWindow();
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
    // The window system repeats the pointer's place when a window appears: no move at all.
    const bool moved = point != m_lastPointer;
    m_lastPointer = point;
    if (!moved && m_pPopup)
        return;
    const int item = m_surface.HitTest(point.x(), point.y());
    if (m_pPopup && m_pPopup->item() != item)
        Close();
    if (m_pPopup) {
        FollowPointer(point);
        return;
    }
    if (item < 0 || !ReadHoverPreview(SettingsStore(m_surface.model().paths().iniFile))) {
        m_hover.stop();
        m_nHoverItem = -1;
        return;
    }
    if (item == m_nHoverItem && m_hover.isActive())
        return;
    m_nHoverItem = item;
    m_hover.start();
}

void PreviewController::FollowPointer(QPoint point)
{
    // The cell's point at the picture's scale: the crosshair stands where the pointer does.
    ChartPicture* picture = m_pPopup->picture();
    const QRect cell = m_surface.CellRectOf(m_surface.model().shownOrder().PositionOf(m_pPopup->item()));
    if (picture == nullptr || cell.isEmpty())
        return;
    const QPoint offset = point - cell.topLeft();
    picture->SetCrosshair(QPoint(offset.x() * picture->width() / cell.width(),
                                 offset.y() * picture->height() / cell.height()));
}

void PreviewController::PointerLeft()
{
    m_hover.stop();
    m_nHoverItem = -1;
    if (m_pPopup && !PointerOverGrid())
        Close();
}

bool PreviewController::PointerOverGrid() const
{
    // A window appearing over the grid (the popup itself, as it is mapped) is no leaving.
    const QWidget* grid = m_surface.cellArea();
    return QRect(grid->mapToGlobal(QPoint(0, 0)), grid->size()).contains(QCursor::pos());
}

void PreviewController::OnHoverTimeout()
{
    if (m_nHoverItem >= 0 && m_surface.gridWidget()->isVisible())
        ShowFor(m_nHoverItem);
}

} // namespace mosgrid
