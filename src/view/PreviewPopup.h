#pragma once

#include "view/RenderedChart.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QPointer>
#include <QWidget>

class QMouseEvent;

namespace mosgrid {

class ChartPicture;

// The enlarged preview beside a cell: a frameless window that takes neither the keyboard nor
// the pointer from the grid, holding the chart and its crosshair. It asks the window system
// to pass the pointer through; where that is not done, it hands every pointer event it gets
// on to the grid under the same point, so clicks over it still reach the cells below.
class PreviewPopup : public QWidget {
    Q_OBJECT
public:
    // grid: the widget that receives the pointer's events (the view's viewport).
    PreviewPopup(const ChartRequest& request, int item, QWidget* grid, QWidget* parent);

    int item() const { return m_nItem; }
    ChartPicture* picture() const { return m_pPicture; }

protected:
    bool event(QEvent* event) override;

private:
    void HandOn(const QMouseEvent& mouse);

    int m_nItem;
    QPointer<QWidget> m_pGrid;
    QElapsedTimer m_pressClock;
    QPoint m_lastPress;
    bool m_bDoubleClickSent = false;
    ChartPicture* m_pPicture;
};

} // namespace mosgrid
