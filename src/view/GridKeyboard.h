#pragma once

class QKeyEvent;

namespace mosgrid {

class GridSearchBar;
class GridSurface;
class PreviewController;

// The grid's keys: arrows, Home/End and PageUp/PageDown move the selection (by the rows on
// screen), Enter does what a double-click does, Escape closes the preview or clears the
// selection, Space shows or hides the enlarged preview, Ctrl+F opens the search field and
// D, W, M switch every chart to daily, weekly or monthly bars. Shift with the moving keys
// selects a range, Ctrl+A every security shown, Ctrl+C copies the selected.
class GridKeyboard {
public:
    GridKeyboard(GridSurface& surface, PreviewController& preview, GridSearchBar& searchBar)
        : m_surface(surface), m_preview(preview), m_searchBar(searchBar)
    {
    }

    // False for keys the grid leaves to others.
    bool HandleKey(QKeyEvent* event);

private:
    void SelectAll();

    GridSurface& m_surface;
    PreviewController& m_preview;
    GridSearchBar& m_searchBar;
};

} // namespace mosgrid
