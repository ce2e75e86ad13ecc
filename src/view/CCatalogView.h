#pragma once

#include "catalog/CatalogItem.h"
#include "view/WinScrollBar.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <cstdint>
#include <vector>

class CChartHostDlg;
class IComponentProvider;
class QPrinter;

// The one view of the window. It owns everything the window shows: the catalog items, the
// thumbnails, the thumbnail size, the grid layout and the selection. Charts are drawn only
// by the rebuild; a paint copies the cached thumbnails.
class CCatalogView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CCatalogView(QWidget* parent = nullptr);
    ~CCatalogView() override;

    // Reads the list file into m_itemList, rebuilds the thumbnails, clears m_bNeedLoad.
    void LoadList();
    void FreeItems();

    // Thumbnails at the size of the settings, one per item in item order.
    void RebuildThumbnails();
    void FreeThumbnails();
    void SetThumbnailSize(int cx, int cy);

    // The paint, for the screen and the printer: on a printer the client area is scaled
    // onto the page with its aspect kept.
    void OnDraw(QPainter& dc, const QRect& client, bool printing);
    // Prints one page of the grid as the client area shows it; false when no page was made.
    bool PrintPage(QPrinter& printer);

    int HitTest(int x, int y) const;
    void OnLButtonDown(const QPoint& point);
    void OnVScroll(int nSBCode, int nPos);
    void OnLButtonDblClk(const QPoint& point);

    // For tests: where the rebuild's chart host gets its components (null: the plugins), and
    // the memory the thumbnails of one rebuild may take.
    void SetComponentProvider(IComponentProvider* provider) { m_pComponentProvider = provider; }
    void SetThumbnailMemoryBudget(std::uint64_t bytes) { m_nMemoryBudget = bytes; }
    ScrollInfo GetScrollInfo() const { return m_scrollBar.GetScrollInfo(); }

    // The view's state. Indexes address m_itemList and m_thumbList alike; an empty image in
    // m_thumbList is a thumbnail that could not be made, painted as background.
    CatalogItemList m_itemList;
    int m_bNeedLoad = 1;
    CChartHostDlg* m_pChartHost = nullptr;
    std::vector<QImage> m_thumbList;
    int m_nSizeX = 0;
    int m_nSizeY = 0;
    int m_nSelected = -1;
    int m_nColumns = 1;  // defined before the first paint, so a hit test has a grid
    int m_nTopIndex = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void OnScrollBarAction(int action);
    void Invalidate();

    WinScrollBar m_scrollBar;
    IComponentProvider* m_pComponentProvider = nullptr;
    std::uint64_t m_nMemoryBudget;
    int m_nWheelRemainder = 0;
    bool m_bLoadScheduled = false;
};
