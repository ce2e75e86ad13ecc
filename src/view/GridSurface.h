#pragma once

#include <QRect>

class QWidget;

namespace mosgrid {

class CatalogModel;

// What the grid's helpers (keys, preview, column fit) may ask of the widget that shows the
// cells: its geometry and the few actions that move what it shows. The catalog's state itself
// is the CatalogModel's.
class GridSurface {
public:
    virtual ~GridSurface() = default;

    // The catalog shown now (another one when the user switches tabs).
    virtual CatalogModel& model() = 0;

    // The grid widget, and the area its cells are painted in (screen coordinates, popups).
    virtual QWidget* gridWidget() = 0;
    virtual QWidget* cellArea() const = 0;
    // The width the columns may take: the cell area's, less a scroll bar's room when it has
    // none yet.
    virtual int ColumnWidth() const = 0;
    virtual int columns() const = 0;
    // Rows wholly in the cell area, at least one.
    virtual int RowsOnScreen() const = 0;
    // The cell of a shown position in cell-area coordinates (it may lie off screen).
    virtual QRect CellRectOf(int position) const = 0;
    // The item under a point of the cell area, or -1.
    virtual int HitTest(int x, int y) const = 0;
    // Selects the item alone (-1: none) and starts the grid at topIndex.
    virtual void SelectAndScroll(int item, int topIndex) = 0;
    // Starts the grid at a shown position, the selection as it is.
    virtual void ScrollTo(int topIndex) = 0;
    // What a double-click does: the data tool where it is found, else a chart window.
    virtual void LaunchItem(int item) = 0;
};

} // namespace mosgrid
