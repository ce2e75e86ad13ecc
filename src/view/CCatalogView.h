#pragma once

#include "base/ProgramPaths.h"
#include "catalog/CatalogItem.h"
#include "settings/ViewChoices.h"
#include "catalog/CatalogListLoader.h"
#include "catalog/AsyncListLoader.h"
#include "thumbnails/ThumbnailBuilder.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/GridArrangement.h"
#include "view/GridGeometry.h"
#include "view/VisibleFirst.h"
#include "view/GridScrollBar.h"
#include "view/ReloadPlan.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

class ColumnFit;
class GridArrangement;
class GridKeyboard;
class GridSearchBar;
class IComponentProvider;
class PreviewController;
class QPrinter;
class ShownOrder;

// The one view of the window. It owns everything the window shows: the catalog items, the
// thumbnails, the thumbnail size, the grid layout and the selection. Thumbnails are made by
// worker threads, cells on screen first; a paint copies those made and shows a placeholder
// for the others.
class CCatalogView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // paths: the program folder and settings file; provider: where the chart components
    // come from (it must outlive the view).
    CCatalogView(const ProgramPaths& paths, IComponentProvider* provider,
                 QWidget* parent = nullptr);
    ~CCatalogView() override;

    // The list file loaded once the view is shown, and whether to delete it once read.
    void SetListFile(std::string path, bool removeListFile);
    const std::string& listFile() const { return m_strListFile; }

    // Another list, loaded as a list named on the command line (never removed); the
    // selection and the scroll position start afresh.
    void OpenList(std::string path);
    // Reads the list and the price files again: thumbnails of unchanged securities stay,
    // those with new prices are made again, selection and top of the grid stay on the same
    // securities. A large list is read on a worker: Pending, and reloadFinished follows.
    enum class ReloadResult {
        NotLoaded, Unreadable, Unchanged, Changed, Pending, TooLong, OutOfMemory
    };
    ReloadResult ReloadList();
    // A reload still being read is given up (an export keeps the items as they are).
    void CancelBackgroundReload() { m_listLoader.Cancel(); }
    // What an export writes: every item, in the order the grid sorts them (a search text
    // typed into the filter field leaves none out).
    std::vector<int> ExportOrder() const;
    // The cells on screen are told to the builder again (after an export's own order).
    void RequestCellsAgain();
    // Painted in the middle of the grid while no list file is named.
    void SetEmptyHint(QString text);

    // Reads the list file into m_itemList, rebuilds the thumbnails, clears m_bNeedLoad.
    void LoadList();
    void FreeItems();

    // Starts making the thumbnails at the size of the settings, one per item in item order.
    void RebuildThumbnails();
    void FreeThumbnails();
    void SetThumbnailSize(int cx, int cy);

    // The paint, for the screen and the printer: on a printer the client area is scaled
    // onto the page with its aspect kept, after every thumbnail has been made once. It only
    // paints: the list is loaded and the scroll range set by the events that change them.
    void OnDraw(QPainter& dc, const QRect& client, bool printing);
    // Prints one page of the grid as the client area shows it; false when no page was made
    // (also while the list has not been loaded: printing never loads nor shows a box).
    bool PrintPage(QPrinter& printer);

    // The item under a client point, or -1.
    int HitTest(int x, int y) const;
    void OnLButtonDown(const QPoint& point);
    // Starts the grid with the thumbnail at a shown position, as dragging the thumb does;
    // the bar's own steps come here too.
    void ScrollTo(int topIndex);
    void OnLButtonDblClk(const QPoint& point);

    // For tests and benchmarks: the components, the thumbnails' memory budget, the workers.
    void SetComponentProvider(IComponentProvider* provider) { m_pComponentProvider = provider; }
    IComponentProvider* componentProvider() const { return m_pComponentProvider; }
    void SetThumbnailMemoryBudget(std::uint64_t bytes) { m_thumbList.SetBudget(bytes); }
    ThumbnailBuilder& builder() { return m_builder; }
    // How the last load went, and whether the last rebuild found its components.
    const ListLoadOutcome& loadOutcome() const { return m_loadOutcome; }
    ThumbnailBuilder::Components components() const { return m_components; }
    const ProgramPaths& paths() const { return m_paths; }

    // Working inside the grid: the shown order (sort and filter), keys, the search field,
    // the period switch, the enlarged preview. Positions count the cells as shown; with list
    // order and no filter a position is the item's own index.
    const ShownOrder& shownOrder() const;
    GridArrangement& arrangement() const { return *m_pArrangement; }
    GridSearchBar& searchBar() const { return *m_pSearchBar; }
    PreviewController& preview() const { return *m_pPreview; }
    // Thumbnails that fit the window's width ([Chart] Columns) and the size steps.
    ColumnFit& columnFit() const { return *m_pColumnFit; }
    // Rows wholly in the client area, at least one.
    int RowsOnScreen() const;
    // The cell of a shown position in client coordinates (it may lie off screen).
    QRect CellRectOf(int position) const;
    // Selects an item (-1: none) and scrolls the grid to start at topIndex.
    void SelectAndScroll(int item, int topIndex);
    // What a double-click does: the data tool where it is found, else the chart in a window
    // of its own.
    void LaunchItem(int item);
    // Stores the period switch and draws every thumbnail in it.
    void SetPeriodChoice(PeriodChoice period);
    PeriodChoice periodChoice() const;
    // Room above the grid for the search field; 0 gives the grid the whole client area.
    void SetSearchBarHeight(int height) { setViewportMargins(0, height, 0, 0); }
    int SearchBarHeight() const { return viewportMargins().top(); }

    // The view's state. Indexes address m_itemList and m_thumbList alike.
    CatalogItemList m_itemList;
    int m_bNeedLoad = 1;
    ThumbnailStore m_thumbList;
    int m_nSizeX = 0;
    int m_nSizeY = 0;
    int m_nSelected = -1;
    int m_nColumns = 1;  // defined before the first layout, so a hit test has a grid
    int m_nTopIndex = 0;
    // Days a series may lag the catalog's newest before its cell shows the date badge; read
    // with the size at each rebuild (0: never).
    int m_nStaleDays = 0;

    // The placeholder of a thumbnail not made yet: dark grey with a lighter frame.
    static constexpr QRgb kPlaceholderFill = 0xff282828;
    static constexpr QRgb kPlaceholderFrame = 0xff505050;

signals:
    // The sort or the period changed (from a key, a menu or the settings).
    void viewChoicesChanged();
    // A reload that answered Pending has ended.
    void reloadFinished(CCatalogView::ReloadResult result);

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
    BuildInputs CurrentInputs();
    ReloadResult ApplyReload(ReloadPlan plan);
    // A list beyond what the catalog takes: said once, and nothing of it kept.
    void RefuseLongList();
    ReloadResult FinishBackgroundReload(ListLoadResult& loaded);
    // The columns that fit the viewport and the scroll range over the cells shown: after
    // every change of the width, the thumbnail size or the number of cells, never in a paint.
    void LayOutGrid();
    void Invalidate();
    GridGeometry::Grid CurrentGrid() const;
    // Tells the builder which cells are on screen when that has changed.
    void RequestCells(const GridGeometry::Grid& grid, int clientHeight);
    // Printing: every thumbnail made once, then those of the page present.
    void WaitForCells(const std::vector<GridGeometry::PaintedCell>& cells);
    void PaintCell(QPainter& dc, const GridGeometry::PaintedCell& cell,
                   std::int32_t today) const;

    ProgramPaths m_paths;
    std::string m_strListFile;
    bool m_bRemoveListFile = false;
    QString m_strEmptyHint;
    GridScrollBar m_scrollBar;
    IComponentProvider* m_pComponentProvider = nullptr;
    ThumbnailBuilder m_builder{m_thumbList};
    // What the builder was last told: generation, top index, columns, rows, count, order.
    std::tuple<std::uint64_t, int, int, int, int, std::uint64_t> m_requested{};
    // The way the grid last scrolled, and from where: more rows are kept ready that way.
    Travel m_travel = Travel::None;
    int m_nTravelTop = 0;
    ListLoadOutcome m_loadOutcome;
    AsyncListLoader m_listLoader;
    ThumbnailBuilder::Components m_components = ThumbnailBuilder::Components::Ready;
    int m_nWheelRemainder = 0;
    bool m_bLoadScheduled = false;
    // After the builder: these go first, and the preview's chart hosts with them.
    std::unique_ptr<GridArrangement> m_pArrangement;
    std::unique_ptr<GridKeyboard> m_pKeyboard;
    GridSearchBar* m_pSearchBar = nullptr;
    std::unique_ptr<PreviewController> m_pPreview;
    std::unique_ptr<ColumnFit> m_pColumnFit;
};
