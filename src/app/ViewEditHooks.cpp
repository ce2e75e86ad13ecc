#include "app/ViewEditHooks.h"

#include "view/CCatalogView.h"
#include "view/ShownOrder.h"

EditCommands::Hooks ViewEditHooks(CCatalogView& view)
{
    EditCommands::Hooks hooks;
    hooks.selectedItems = [&view] {
        const int count = int(view.m_itemList.size());
        if (view.m_nSelected < 0 || view.m_nSelected >= count)
            return std::vector<int>{};
        return std::vector<int>{view.m_nSelected};
    };
    hooks.shownItems = [&view] {
        const ShownOrder& order = view.shownOrder();
        std::vector<int> items;
        items.reserve(std::size_t(order.count()));
        for (int position = 0; position < order.count(); ++position)
            items.push_back(order.ItemAt(position));
        return items;
    };
    // One security is selected at a time: the first of those given.
    hooks.selectItems = [&view](const std::vector<int>& items) {
        if (!items.empty())
            view.SelectAndScroll(items.front(), view.m_nTopIndex);
    };
    return hooks;
}
