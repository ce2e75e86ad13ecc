#pragma once

#include "catalog/CatalogItem.h"
#include "view/BarRange.h"
#include "view/ChartActions.h"
#include "view/ChartWindowSettings.h"
#include "view/WholeSeries.h"

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;

namespace mosgrid {

class ChartCanvas;
class ChartStepping;
class IComponentProvider;

// Where a chart window gets its settings, components and the order it steps through.
struct ChartWindowContext {
    std::string iniFile;
    IComponentProvider* provider = nullptr;   // outlives the window
    std::shared_ptr<ChartStepping> stepping;  // null: no stepping
};

// A security's whole history in a window of its own: zoom and scroll through it, switch its
// period and scale, step through the grid's securities, copy, save and print the chart. The
// series is read and every picture drawn on worker threads; this thread only paints them.
// Its zoom, period, scale and place are kept in [ChartWindow] when it closes, also when
// the program ends with it open.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    ChartWindow(ChartWindowContext context, const CatalogItem& item, QWidget* parent);
    // Waits for a read still under way: it uses the components' lock.
    ~ChartWindow() override;

    ChartCanvas* canvas() const { return m_pCanvas; }
    const CatalogItem& item() const { return m_item; }
    const BarRange& range() const { return m_range; }
    PeriodChoice period() const { return m_state.period; }
    bool logScale() const { return m_state.log; }
    bool ownDefinitions() const { return m_state.ownDefinitions; }
    bool slideshowRunning() const { return m_slideshow.isActive(); }
    // Whether the series of the item shown has been read.
    bool isLoaded() const { return m_loaded && !m_loader.isRunning(); }

    void Perform(ChartAction action);
    // Wheel notches over a point of the picture: away from the user zooms in.
    void ZoomAt(int notches, QPoint at);
    void UseOwnDefinitions(bool own);

signals:
    // The series of a newly shown item has been read (its first frame is on its way).
    void itemLoaded();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ShowItem(const CatalogItem& item);
    void OnLoaded();
    void Redraw();
    void Recount(PeriodChoice counting);
    PeriodChoice CountingPeriod() const;
    std::vector<std::string> Definitions() const;
    int AnchorAt(QPoint at) const;
    void ScrollPixels(int pixels);
    // The crosshair to the next bar (+1) or the one before (-1), put up on the newest bar
    // shown when there is none; at the edge the chart moves a bar under it.
    void MoveCrosshair(int direction);
    void SetRange(const BarRange& range);
    void SetPeriod(PeriodChoice period);
    void Step(int delta);
    void ToggleSlideshow();
    void UpdateTitle();
    void UpdateStatus();
    void SaveChart();
    void PrintChart();
    // Writes [ChartWindow] as the window stands.
    void KeepState();

    ChartWindowContext m_context;
    CatalogItem m_item;
    ChartWindowSettings m_state;
    BarRange m_range;
    // The bars the user zoomed to, kept through shorter series and periods.
    int m_wantedBars = 0;
    double m_dragBars = 0;     // a drag's part of a bar not scrolled yet
    WholeSeries m_series;
    bool m_loaded = false;
    bool m_stateKept = false;
    std::optional<CatalogItem> m_pendingItem;
    PeriodChoice m_counting = PeriodChoice::Daily;
    std::vector<int> m_ends;        // daily bars at the end of each counted bar
    QFutureWatcher<WholeSeries> m_loader;
    QTimer m_slideshow;
    ChartCanvas* m_pCanvas;
    QComboBox* m_pDefinitions;
    QLabel* m_pStatus;
};

} // namespace mosgrid
