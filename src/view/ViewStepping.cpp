#include "view/ViewStepping.h"

#include "model/CatalogModel.h"
#include "model/ShownOrder.h"
#include "thumbnails/ThumbnailStore.h"
#include "view/GridSurface.h"

#include <algorithm>

namespace mosgrid {

bool SameSecurity(const CatalogItem& a, const CatalogItem& b)
{
    return a.m_strCode == b.m_strCode && a.m_strSource == b.m_strSource
        && a.m_nType == b.m_nType;
}

int ViewStepping::count() const
{
    return m_surface.model().shownOrder().count();
}

std::optional<CatalogItem> ViewStepping::ItemAt(int position) const
{
    const int item = m_surface.model().shownOrder().ItemAt(position);
    if (item < 0 || item >= int(m_surface.model().items().size()))
        return std::nullopt;
    return *m_surface.model().items()[item];
}

int ViewStepping::PositionOf(const CatalogItem& item) const
{
    const ShownOrder& order = m_surface.model().shownOrder();
    for (int position = 0; position < order.count(); ++position) {
        const int index = order.ItemAt(position);
        if (index >= 0 && SameSecurity(*m_surface.model().items()[index], item))
            return position;
    }
    return -1;
}

void ViewStepping::Select(int position)
{
    const int item = m_surface.model().shownOrder().ItemAt(position);
    if (item < 0)
        return;
    // The least scroll that shows the position's row.
    const int columns = std::max(1, m_surface.columns());
    const int page = columns * m_surface.RowsOnScreen();
    int top = m_surface.model().topIndex();
    if (position < top)
        top = position / columns * columns;
    else if (position >= top + page)
        top = (position / columns + 1) * columns - page;
    m_surface.SelectAndScroll(item, std::max(0, top));
}

QImage ViewStepping::PictureOf(const CatalogItem& item) const
{
    const CatalogItemList& items = m_surface.model().items();
    for (std::size_t index = 0; index < items.size(); ++index) {
        if (SameSecurity(*items[index], item))
            return m_surface.model().store().Image(int(index));
    }
    return {};
}

} // namespace mosgrid
