#pragma once

#include "view/RenderedChart.h"

#include <QWidget>

class ChartPicture;

// The enlarged preview beside a cell: a frameless window that never takes the keyboard
// from the grid, holding the chart and its crosshair.
class PreviewPopup : public QWidget {
    Q_OBJECT
public:
    PreviewPopup(const ChartRequest& request, int item, QWidget* parent);

    int item() const { return m_nItem; }
    ChartPicture* picture() const { return m_pPicture; }

signals:
    void pointerLeft();

protected:
    void leaveEvent(QEvent* event) override;

private:
    int m_nItem;
    ChartPicture* m_pPicture;
};
