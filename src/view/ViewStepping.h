#pragma once

#include "view/ChartStepping.h"

namespace mosgrid {

class GridSurface;

// Stepping through the shown order of the catalog the grid shows.
class ViewStepping : public ChartStepping {
public:
    explicit ViewStepping(GridSurface& surface) : m_surface(surface) {}

    int count() const override;
    std::optional<CatalogItem> ItemAt(int position) const override;
    int PositionOf(const CatalogItem& item) const override;
    void Select(int position) override;
    QImage PictureOf(const CatalogItem& item) const override;

private:
    GridSurface& m_surface;
};

} // namespace mosgrid
