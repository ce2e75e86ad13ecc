#pragma once

#include "app/EditCommands.h"

namespace mosgrid {

class CCatalogView;

// The edit commands' hold on the grid: the selected items, the items in shown order and
// selecting items after an edit, all as item indexes.
EditCommands::Hooks ViewEditHooks(CCatalogView& view);

} // namespace mosgrid
