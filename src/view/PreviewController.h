#pragma once

#include "view/RenderedChart.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

namespace mosgrid {

class ChartStepping;
class GridSurface;
class ChartWindow;
class PreviewPopup;

// The enlarged preview of a cell: shown by Space, or by the pointer resting on a cell when
// [View] HoverPreview is on, beside it, drawn fresh at a larger size; closed by Space, Escape
// or the pointer moving off the cell. The popup takes no pointer input: clicks over it reach
// the grid, and the crosshair follows the pointer in the cell. Also opens a security's chart
// in a window of its own.
class PreviewController : public QObject {
    Q_OBJECT
public:
    static constexpr int kHoverDelayMs = 600;

    explicit PreviewController(GridSurface& surface);
    // Closes the popup and every chart window: their chart hosts go now.
    ~PreviewController() override;

    void ShowFor(int item);
    // Hides the popup now and deletes it from the event loop: Close may be reached from
    // inside one of the popup's own events, which Qt goes on reading after the handler.
    void Close();
    bool isShown() const;
    PreviewPopup* popup() const;

    // The item's chart window, opened or brought to the front.
    void OpenWindow(int item);
    // What chart windows opened from now on step through.
    void SetStepping(std::shared_ptr<ChartStepping> stepping) { m_stepping = std::move(stepping); }
    std::vector<ChartWindow*> windows() const;

    // The pointer over the view (viewport coordinates), or gone from it.
    void PointerMoved(QPoint point);
    void PointerLeft();
    // Tests may shorten the rest before the popup shows.
    void SetHoverDelay(int ms) { m_hover.setInterval(ms); }

private:
    ChartRequest RequestFor(int item, QSize size) const;
    QRect GlobalCellRect(int item) const;
    bool PointerOverGrid() const;
    void OnHoverTimeout();
    void FollowPointer(QPoint point);

    GridSurface& m_surface;
    QPointer<PreviewPopup> m_pPopup;
    // Closed popups not deleted yet; they go with the controller at the latest.
    std::vector<QPointer<PreviewPopup>> m_closing;
    std::vector<QPointer<ChartWindow>> m_windows;
    std::shared_ptr<ChartStepping> m_stepping;
    QTimer m_hover;
    int m_nHoverItem = -1;
    QPoint m_lastPointer{-1, -1};
};

} // namespace mosgrid
