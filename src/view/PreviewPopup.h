#pragma once

#include "view/RenderedChart.h"

#include <QWidget>

class ChartPicture;

// The enlarged preview beside a cell: a frameless window that takes neither the keyboard nor
// the pointer from the grid (clicks over it reach the cells below), holding the chart and its
// crosshair.
class PreviewPopup : public QWidget {
    Q_OBJECT
public:
    PreviewPopup(const ChartRequest& request, int item, QWidget* parent);

    int item() const { return m_nItem; }
    ChartPicture* picture() const { return m_pPicture; }

private:
    int m_nItem;
    ChartPicture* m_pPicture;
};
