#pragma once

#include "catalog/CatalogItem.h"

#include <QImage>

#include <optional>

namespace mosgrid {

// The securities the chart window steps through, in the order the grid shows them.
// User-interface thread only.
class ChartStepping {
public:
    virtual ~ChartStepping() = default;
    // Positions shown.
    virtual int count() const = 0;
    // A copy of the item at a position; nothing past the ends.
    virtual std::optional<CatalogItem> ItemAt(int position) const = 0;
    // Where the item (the same code, source and type) is shown; -1 when it is not.
    virtual int PositionOf(const CatalogItem& item) const = 0;
    // The grid's selection moves to the position, scrolled into view.
    virtual void Select(int position) = 0;
    // The grid's thumbnail of the item (shown or not); null when it has none yet.
    virtual QImage PictureOf(const CatalogItem& item) const = 0;
};

// The same security: code, source and type.
bool SameSecurity(const CatalogItem& a, const CatalogItem& b);

} // namespace mosgrid
