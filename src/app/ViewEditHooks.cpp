#include "app/ViewEditHooks.h"

#include "view/CCatalogView.h"
#include "model/CatalogSelection.h"
#include "model/ShownOrder.h"

namespace mosgrid {

EditCommands::Hooks ViewEditHooks(CCatalogView& view)
{
    EditCommands::Hooks hooks;
    hooks.selectedItems = [&view] { return view.selectedItems(); };
    hooks.shownItems = [&view] {
        const ShownOrder& order = view.shownOrder();
        std::vector<int> items;
        items.reserve(std::size_t(order.count()));
        for (int position = 0; position < order.count(); ++position)
            items.push_back(order.ItemAt(position));
        return items;
    };
    // Every item given selected, the first current.
    hooks.selectItems = [&view](const std::vector<int>& items) {
        CatalogSelection selection;
        for (auto item = items.rbegin(); item != items.rend(); ++item)
            selection.Toggle(*item);
        view.model().SetSelection(selection);
    };
    return hooks;
}

} // namespace mosgrid
