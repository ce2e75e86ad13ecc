#pragma once

#include "base/ProgramPaths.h"
#include "catalog/CatalogItem.h"
#include "thumbnails/ThumbnailBuilder.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/GridGeometry.h"
#include "view/WinScrollBar.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

class IComponentProvider;
class QPrinter;

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

    // The list file the first paint loads, and whether to delete it once read.
    void SetListFile(std::string path, bool removeListFile);
    const std::string& listFile() const { return m_strListFile; }

    // Another list, loaded as a list named on the command line (never removed); the
    // selection and the scroll position start afresh.
    void OpenList(std::string path);
    // Reads the list and the price files again: thumbnails of unchanged securities stay,
    // those with new prices are made again, selection and top of the grid stay on the same
    // securities.
    enum class ReloadResult { NotLoaded, Unreadable, Unchanged, Changed };
    ReloadResult ReloadList();
    // Item indices in the order the grid shows them.
    std::vector<int> ShownOrder() const;
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
    // onto the page with its aspect kept, after every thumbnail has been made once.
    void OnDraw(QPainter& dc, const QRect& client, bool printing);
    // Prints one page of the grid as the client area shows it; false when no page was made.
    bool PrintPage(QPrinter& printer);

    int HitTest(int x, int y) const;
    void OnLButtonDown(const QPoint& point);
    void OnVScroll(int nSBCode, int nPos);
    void OnLButtonDblClk(const QPoint& point);

    // For tests and benchmarks: the components, the thumbnails' memory budget, the workers.
    void SetComponentProvider(IComponentProvider* provider) { m_pComponentProvider = provider; }
    void SetThumbnailMemoryBudget(std::uint64_t bytes) { m_thumbList.SetBudget(bytes); }
    ThumbnailBuilder& builder() { return m_builder; }
    ScrollInfo GetScrollInfo() const { return m_scrollBar.GetScrollInfo(); }
    const ProgramPaths& paths() const { return m_paths; }

    // The view's state. Indexes address m_itemList and m_thumbList alike.
    CatalogItemList m_itemList;
    int m_bNeedLoad = 1;
    ThumbnailStore m_thumbList;
    int m_nSizeX = 0;
    int m_nSizeY = 0;
    int m_nSelected = -1;
    int m_nColumns = 1;  // defined before the first paint, so a hit test has a grid
    int m_nTopIndex = 0;

    // The placeholder of a thumbnail not made yet: dark grey with a lighter frame.
    static constexpr QRgb kPlaceholderFill = 0xff282828;
    static constexpr QRgb kPlaceholderFrame = 0xff505050;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void OnScrollBarAction(int action);
    BuildInputs CurrentInputs();
    void Invalidate();
    GridGeometry::Grid CurrentGrid() const;
    // Tells the builder which cells are on screen when that has changed.
    void RequestCells(const GridGeometry::Grid& grid, int clientHeight);
    // Printing: every thumbnail made once, then those of the page present.
    void WaitForCells(const std::vector<GridGeometry::PaintedCell>& cells);
    void PaintCell(QPainter& dc, const GridGeometry::PaintedCell& cell) const;

    ProgramPaths m_paths;
    std::string m_strListFile;
    bool m_bRemoveListFile = false;
    QString m_strEmptyHint;
    WinScrollBar m_scrollBar;
    IComponentProvider* m_pComponentProvider = nullptr;
    ThumbnailBuilder m_builder{m_thumbList};
    // What the builder was last told: generation, top index, columns, rows, count.
    std::tuple<std::uint64_t, int, int, int, int> m_requested{};
    int m_nWheelRemainder = 0;
    bool m_bLoadScheduled = false;
};
