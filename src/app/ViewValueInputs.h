#pragma once

#include "thumbnails/BuildInputs.h"

namespace mosgrid {

class CCatalogView;

// What a value table of the view's catalog is made from: its items, its thumbnail size,
// settings, components and period, as its own thumbnails are built. The view must outlive
// the table's making and keep its items unchanged meanwhile.
BuildInputs ValueTableInputs(CCatalogView& view);

} // namespace mosgrid
