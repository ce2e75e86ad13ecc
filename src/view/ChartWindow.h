#pragma once

#include "view/RenderedChart.h"

#include <QTimer>
#include <QWidget>

class ChartPicture;

// A security's chart in a window of its own, for when the data tool is not installed:
// drawn anew at the window's size after every resize, with the crosshair. Escape closes it.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    // request.size is the first size; parent: the window closes with it.
    ChartWindow(const ChartRequest& request, const QString& title, QWidget* parent);

    ChartPicture* picture() const { return m_pPicture; }
    const CatalogItem& item() const { return m_request.item; }

    // A resize waits this long for the next before the chart is drawn anew.
    static constexpr int kRedrawDelayMs = 150;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ChartRequest m_request;
    ChartPicture* m_pPicture;
    QTimer m_redraw;
};
