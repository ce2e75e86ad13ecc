#pragma once

#include "view/ChartStepping.h"

class CCatalogView;

// Stepping through the catalog view's shown order.
class ViewStepping : public ChartStepping {
public:
    explicit ViewStepping(CCatalogView& view) : m_view(view) {}

    int count() const override;
    std::optional<CatalogItem> ItemAt(int position) const override;
    int PositionOf(const CatalogItem& item) const override;
    void Select(int position) override;

private:
    CCatalogView& m_view;
};
