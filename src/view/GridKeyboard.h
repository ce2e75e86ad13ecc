#pragma once

class CCatalogView;
class QKeyEvent;

// The grid's keys: arrows, Home/End and PageUp/PageDown move the selection (by the rows on
// screen), Enter does what a double-click does, Escape closes the preview or clears the
// selection, Space shows or hides the enlarged preview, Ctrl+F opens the search field and
// D, W, M switch every chart to daily, weekly or monthly bars.
class GridKeyboard {
public:
    explicit GridKeyboard(CCatalogView& view) : m_view(view) {}

    // False for keys the grid leaves to others.
    bool HandleKey(QKeyEvent* event);

private:
    CCatalogView& m_view;
};
