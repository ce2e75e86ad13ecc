#pragma once

#include "base/ProgramPaths.h"
#include "model/CatalogModel.h"
#include "model/GridArrangement.h"
#include "settings/ViewChoices.h"
#include "view/GridGeometry.h"
#include "view/GridScrollBar.h"
#include "view/GridSurface.h"
#include "view/VisibleFirst.h"

#include <QAbstractScrollArea>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

class QPrinter;

namespace mosgrid {

class CatalogTabs;
class ColumnFit;
class GridKeyboard;
class GridSearchBar;
class ItemFlags;
class IComponentProvider;
class PreviewController;
class ShownOrder;

// The grid of thumbnails on black: paints the catalog model's shown cells and turns the
// pointer, the wheel, the scroll bar and the keys into changes of the model. Thumbnails are
// made by worker threads, cells on screen first; a paint copies those made and shows a
// placeholder for the others.
class CCatalogView : public QAbstractScrollArea, public GridSurface {
    Q_OBJECT
public:
    // paths: the program folder and settings file; provider: where the chart components
    // come from (it must outlive the view).
    CCatalogView(const ProgramPaths& paths, IComponentProvider* provider,
                 QWidget* parent = nullptr);
    ~CCatalogView() override;

    // The catalog shown: the current tab's.
    CatalogModel& model() override { return *m_pModel; }
    const CatalogModel& model() const { return *m_pModel; }
    // The lists open as tabs (one, without a bar, unless the user opens more).
    CatalogTabs& tabs() const { return *m_pTabs; }

    // The list file loaded once the view is shown, and whether to delete it once read.
    void SetListFile(std::string path, bool removeListFile);
    const std::string& listFile() const { return m_pModel->listFile(); }
    // Another list, loaded as a list named on the command line (never removed); the
    // selection and the scroll position start afresh.
    void OpenList(std::string path);
    // The list read now, whole, before this returns (printing and exports wait for it; the
    // window's own loads go through the model's StartLoadList).
    void LoadList();
    using ReloadResult = CatalogModel::ReloadResult;
    // The model's reload, with the grid following the security at its top.
    ReloadResult ReloadList();
    // A reload still being read is given up (an export keeps the items as they are).
    void CancelBackgroundReload() { m_pModel->CancelBackgroundReload(); }
    // The cells on screen are told to the builder again (after an export's own order).
    void RequestCellsAgain();
    // Painted in the middle of the grid while no list file is named.
    void SetEmptyHint(QString text);

    // The paint, for the screen and the printer: on a printer the client area is scaled
    // onto the page with its aspect kept, after every thumbnail has been made once. It only
    // paints: the list is loaded and the scroll range set by the events that change them.
    void OnDraw(QPainter& dc, const QRect& client, bool printing);
    // Prints one page of the grid as the client area shows it; false when no page was made
    // (also while the list has not been loaded: printing never loads nor shows a box).
    bool PrintPage(QPrinter& printer);

    // A left press: alone it selects the item under the point (none off the cells); with
    // Ctrl it adds or removes one, with Shift it selects the range from the last click.
    void OnLButtonDown(const QPoint& point, Qt::KeyboardModifiers modifiers = {});
    void OnLButtonDblClk(const QPoint& point);

    // Shortcuts to the model for the menus and commands.
    GridArrangement& arrangement() { return m_pModel->arrangement(); }
    const ShownOrder& shownOrder() const { return m_pModel->shownOrder(); }
    std::vector<int> ExportOrder() const { return m_pModel->ExportOrder(); }
    void SetPeriodChoice(PeriodChoice period) { m_pModel->SetPeriodChoice(period); }
    PeriodChoice periodChoice() const { return m_pModel->periodChoice(); }
    const ProgramPaths& paths() const { return m_pModel->paths(); }
    // The current item (-1: none) and every selected one in the shown order.
    int selectedItem() const { return m_pModel->selection().current(); }
    std::vector<int> selectedItems() const;

    // The grid's helpers: the search field, the enlarged preview and chart windows, the
    // thumbnails that fit the window's width ([Chart] Columns) and the size steps.
    GridSearchBar& searchBar() const { return *m_pSearchBar; }
    PreviewController& preview() const { return *m_pPreview; }
    ColumnFit& columnFit() const { return *m_pColumnFit; }
    // The colour flags of the shown catalog's items and the flag filter.
    ItemFlags& flags() const { return m_pModel->flags(); }

    // GridSurface
    QWidget* gridWidget() override { return this; }
    QWidget* cellArea() const override { return viewport(); }
    int ColumnWidth() const override;
    int columns() const override { return m_nColumns; }
    int RowsOnScreen() const override;
    QRect CellRectOf(int position) const override;
    int HitTest(int x, int y) const override;
    void SelectAndScroll(int item, int topIndex) override;
    // Starts the grid with the thumbnail at a shown position, as dragging the thumb does;
    // the bar's own steps come here too.
    void ScrollTo(int topIndex) override;
    void LaunchItem(int item) override;
    int topIndex() const { return m_pModel->topIndex(); }

    // The placeholder of a thumbnail not made yet: dark grey with a lighter frame.
    static constexpr QRgb kPlaceholderFill = 0xff282828;
    static constexpr QRgb kPlaceholderFrame = 0xff505050;

signals:
    // The sort or the period changed (from a key, a menu or the settings).
    void viewChoicesChanged();
    // Another tab's catalog is shown: whoever listens to a model listens to this one now.
    void modelChanged();
    // A flag or the flag filter of the shown catalog changed.
    void flagsChanged();
    // A reload that answered Pending has ended.
    void reloadFinished(CatalogModel::ReloadResult result);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void OnScrollBarAction(int action);
    void OnOrderChanged(GridArrangement::Cause cause);
    void OnBuildStarted();
    // Shows another catalog: the one before stops building and gives its thumbnails back.
    void ShowModel(CatalogModel& previous, CatalogModel& model);
    void Attach(CatalogModel& model);
    // The bars above the grid laid over its top, the grid below them.
    void PlaceBars();
    // A reload read on a worker came in: the grid follows as after ReloadList.
    void OnReloadFinished(CatalogModel::ReloadResult result);
    void OnListLoaded();
    // After a reload that changed the items: the grid laid out and the cells asked for again.
    void FollowReload(ReloadResult result);
    // The columns that fit the viewport and the scroll range over the cells shown: after
    // every change of the width, the thumbnail size or the number of cells, never in a paint.
    void LayOutGrid();
    void SetTop(int topIndex);
    void Invalidate();
    GridGeometry::Grid CurrentGrid() const;
    // Tells the builder which cells are on screen when that has changed.
    void RequestCells(const GridGeometry::Grid& grid, int clientHeight);
    // Printing: every thumbnail made once, then those of the page present.
    void WaitForCells(const std::vector<GridGeometry::PaintedCell>& cells);
    void PaintCell(QPainter& dc, const GridGeometry::PaintedCell& cell,
                   std::int32_t today) const;

    std::unique_ptr<CatalogTabs> m_pTabs;
    CatalogModel* m_pModel = nullptr;
    QString m_strEmptyHint;
    GridScrollBar m_scrollBar;
    int m_nColumns = 1;  // defined before the first layout, so a hit test has a grid
    // What the builder was last told: generation, top index, columns, rows, count, order.
    std::tuple<std::uint64_t, int, int, int, int, std::uint64_t> m_requested{};
    // The way the grid last scrolled, and from where: more rows are kept ready that way.
    Travel m_travel = Travel::None;
    int m_nTravelTop = 0;
    int m_nWheelRemainder = 0;
    bool m_bLoadScheduled = false;
    // After the model: these go first, and the preview's chart hosts with them.
    std::unique_ptr<GridKeyboard> m_pKeyboard;
    GridSearchBar* m_pSearchBar = nullptr;
    std::unique_ptr<PreviewController> m_pPreview;
    std::unique_ptr<ColumnFit> m_pColumnFit;
};

} // namespace mosgrid
