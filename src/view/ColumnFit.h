#pragma once

#include "settings/SettingsValues.h"

#include <QImage>
#include <QObject>
#include <QTimer>

#include <unordered_map>

class QPainter;

namespace mosgrid {

class CatalogModel;
class GridSurface;
class SettingsStore;

// Thumbnails that fit the window ([Chart] Columns): the size each rebuild uses, a rebuild
// once a resize has settled, and the old thumbnails on screen drawn scaled until the new ones
// land. Also the steps of Ctrl+plus and Ctrl+minus.
class ColumnFit : public QObject {
    Q_OBJECT
public:
    // A resize counts as settled after this long without another.
    static constexpr int kSettleMs = 150;

    explicit ColumnFit(GridSurface& surface);

    // The size a rebuild starts with: the stored one, or one that fits the grid's width.
    // Old thumbnails are kept as stand-ins only for a rebuild this object started.
    ThumbnailSize SizeForRebuild(const SettingsStore& settings);

    int columns() const;
    // 0: the fixed size; 2..12 columns. Stored, then the thumbnails are made again.
    void SetColumns(int columns);
    // +1 bigger, -1 smaller: one column less or more, or the fixed size by 10 %.
    void Step(int direction);

    // The view was resized: refit once it has settled.
    void Resized();
    // Paints the old thumbnail of an item not made yet, scaled to its cell.
    bool PaintStandIn(QPainter& dc, const QRect& cell, int item) const;

private:
    void OnSettled();
    void Rebuild();

    GridSurface& m_surface;
    QTimer m_settle;
    std::unordered_map<int, QImage> m_standIns;
    bool m_bRefitting = false;
};

} // namespace mosgrid
