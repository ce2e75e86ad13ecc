#pragma once

#include "catalog/CatalogItem.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <vector>

class CChartHostDlg;

// The one view of the window. It owns everything the window shows: the catalog items, the
// thumbnails, the thumbnail size, the grid layout and the selection.
class CCatalogView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CCatalogView(QWidget* parent = nullptr);
    ~CCatalogView() override;

    // Reads the list file into m_itemList, rebuilds the thumbnails, clears m_bNeedLoad.
    void LoadList();
    void FreeItems();

    void RebuildThumbnails();
    void FreeThumbnails();
    void SetThumbnailSize(int cx, int cy);

    // The view's state. Indexes address m_itemList and m_thumbList alike.
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
};
